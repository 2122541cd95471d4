// The result of a pure step: a value, or the reason there is none.
#pragma once

#include <optional>
#include <string>
#include <utility>

template <class T> struct Outcome {
    std::optional<T> value;
    std::string error;

    static Outcome Ok(T v) { return Outcome{std::optional<T>(std::move(v)), {}}; }
    static Outcome Fail(std::string why) { return Outcome{std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};
