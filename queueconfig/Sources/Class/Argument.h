// The command line as text: one entry per argv element, argv[0] included.
// An element that is not valid UTF-8 is held as none.
#pragma once

#include <optional>
#include <string>
#include <vector>

class Argument {
public:
    using Array = std::vector<std::optional<std::string>>;

    Argument(int argc, char** argv);
    // -50 when there is nothing to read (argc 0 or no argv), else 0.
    int Create(int argc, char** argv);
    // Null when Create failed.
    const Array* GetArrayRef() const { return m_ArrayRef ? &*m_ArrayRef : nullptr; }

private:
    std::optional<Array> m_ArrayRef;
};
