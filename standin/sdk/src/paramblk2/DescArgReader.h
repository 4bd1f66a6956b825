// Sources of descriptor arguments, read in the order and with the types the SDK reads them.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

#include "paramblk2/DescArgs.h"

namespace MaxStandin {

class DescArgReader {
public:
    virtual ~DescArgReader() = default;
    // Each read returns false, with `problem` describing why, when the next argument is missing
    // or is not of the type the SDK reads at that place. `what` names that place.
    virtual bool Int(int& v, const std::string& what) = 0;
    // A float value, which reaches a C-variadic function as a double.
    virtual bool Real(double& v, const std::string& what) = 0;
    virtual bool Pointer(const void*& v, const std::string& what) = 0;
    virtual bool String(const wchar_t*& v, const std::string& what) = 0;
    virtual bool ClassId(Class_ID& v, const std::string& what) = 0;
    // Whether the reader knows the argument count and types (and so can check them).
    virtual bool Checked() const = 0;

    std::string problem;
};

// Reads the captured arguments of the template constructor, checking count and types.
class PackedArgReader : public DescArgReader {
public:
    PackedArgReader(const DescArg* args, std::size_t count) : args(args), count(count) {}
    bool Int(int& v, const std::string& what) override;
    bool Real(double& v, const std::string& what) override;
    bool Pointer(const void*& v, const std::string& what) override;
    bool String(const wchar_t*& v, const std::string& what) override;
    bool ClassId(Class_ID& v, const std::string& what) override;
    bool Checked() const override { return true; }
    std::size_t Unread() const { return count - next; }

private:
    const DescArg* Next(const std::string& what);
    bool Mismatch(const DescArg& arg, const std::string& expected, const std::string& what);

    const DescArg* args;
    std::size_t count;
    std::size_t next = 0;
};

// Reads a C variable argument list as the SDK does; it cannot see types or the list's end.
class VaListArgReader : public DescArgReader {
public:
    explicit VaListArgReader(std::va_list* args) : args(args) {}
    bool Int(int& v, const std::string& what) override;
    bool Real(double& v, const std::string& what) override;
    bool Pointer(const void*& v, const std::string& what) override;
    bool String(const wchar_t*& v, const std::string& what) override;
    bool ClassId(Class_ID& v, const std::string& what) override;
    bool Checked() const override { return false; }

private:
    std::va_list* args;
};

} // namespace MaxStandin
