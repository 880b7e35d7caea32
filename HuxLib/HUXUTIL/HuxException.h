// Exception classes of the support library.
//
// Failures are thrown, never returned. Three kinds of value are thrown and
// turned into the host's result word by the dispatch:
//   - a host error code, thrown as HuxOSErr (a signed 16-bit value): write
//     `throw HuxOSErr(PS::userCanceledErr)`, never the bare enumerator, which
//     is thrown as its enumeration type and ends as the generic failure;
//   - a message for the user, thrown as `const char*` (zero-terminated);
//   - a pointer to a heap-allocated HuxException (processor faults).
// Anything else (std::bad_alloc included) becomes the generic failure -1.
#pragma once

#include <cstdint>
#include <string>

using HuxOSErr = int16_t;

class HuxException {
public:
    virtual ~HuxException() = default;
    // Text that describes the failure (formatted into at most 1023 characters).
    virtual std::string Describe() const { return {}; }
};

// A processor or operating-system fault (access violation, division by zero)
// turned into an exception by the fault translator.
class HuxSEException : public HuxException {
public:
    explicit HuxSEException(uint32_t code) : code_(code) {}
    uint32_t Code() const { return code_; }
    std::string Describe() const override;

private:
    uint32_t code_;
};

class HuxAssertException : public HuxException {
public:
    HuxAssertException(const char* file, int32_t line) : file_(file), line_(line) {}
    std::string Describe() const override;

private:
    const char* file_;
    int32_t line_;
};
