// The value of an SNMP GetResponse, cut out by position. The reply of an
// agent repeats the request byte for byte up to the value, as long as every
// length fits in one byte: the value's type then stands where the request's
// NULL placeholder stood (request length - 2), its length byte behind it, and
// the value from the request's length onwards.
#pragma once

#include <cstddef>
#include <string>

// Only bytes that were received are taken: a datagram shorter than the
// request, or one whose length byte points past its end, gives what is there.
// A length byte of 0x80 or more reads as negative and gives the empty value.
// *lastIndex receives the datagram index of the value's last byte.
std::string DecodeSnmpValue(const unsigned char* datagram, std::size_t received,
                            std::size_t requestLength, int* lastIndex);
