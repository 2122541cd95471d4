#include "Argument.h"

#include "Utility.h"

Argument::Argument(int argc, char** argv) {
    (void)Create(argc, argv);
}

int Argument::Create(int argc, char** argv) {
    if (argc <= 0 || !argv)
        return -50;
    Array array;
    array.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        if (argv[i] && IsValidUTF8(argv[i]))
            array.emplace_back(argv[i]);
        else
            array.emplace_back(std::nullopt);
    }
    m_ArrayRef = std::move(array);
    return 0;
}
