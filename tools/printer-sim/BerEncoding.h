// Builds BER elements with lengths in their shortest form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string EncodeBerLength(std::size_t length);
std::string EncodeBerElement(std::uint8_t tag, std::string_view contents);
// The contents of an INTEGER: minimal two's complement.
std::string EncodeBerIntegerContents(std::int64_t value);
std::string EncodeBerInteger(std::int64_t value);
