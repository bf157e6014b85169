#pragma once
// Turns the address the operator typed into the dotted IPv4 form the client connects to. Four
// parts of digits are read as decimal numbers without the resolver (leading zeros do not make them
// octal), each reduced to its low 8 bits; all four zero gives an empty address. Any other text is a
// host name looked up for IPv4; a name that cannot be resolved gives an empty address.

#include "platform/base/String.h"

class CAddressResolver {
public:
    static CString Normalize(const char* typed);
    // The dotted form of four decimal parts, or false when the text is not exactly four parts of
    // digits separated by dots.
    static bool ParseDotted(const char* text, CString& out);
    // The first IPv4 address of a host name, dotted; false when it cannot be resolved.
    static bool Resolve(const char* name, CString& out);
};
