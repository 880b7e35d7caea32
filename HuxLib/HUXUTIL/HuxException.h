// Exception classes of the support library.
//
// Failures are thrown, never returned. Three kinds of value are thrown and
// turned into the host's result word by the dispatch:
//   - a host error code, thrown as HuxOSErr: `throw HuxOSErr(PS::userCanceledErr)`.
//     It is a type of its own so that only a deliberate code is caught as
//     one: a stray integer thrown by mistake cannot pass for a host result;
//   - a message for the user, thrown as `const char*` (zero-terminated);
//   - a pointer to a heap-allocated HuxException (processor faults).
// Anything else (std::bad_alloc included) becomes the generic failure -1.
#pragma once

#include <cstdint>
#include <string>

// A host result code (the host's signed 16-bit OSErr) on its way to the
// dispatch. Built only explicitly, never converted from or to an integer.
struct HuxOSErr {
    explicit constexpr HuxOSErr(int16_t value) : code(value) {}
    int16_t code;
};

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
