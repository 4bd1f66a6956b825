// Reading descriptor arguments, checked (captured arguments) and unchecked (C variable list).
#include "DescArgReader.h"

#include <climits>

namespace MaxStandin {

namespace {

std::string KindName(const DescArg& arg) {
    switch (arg.kind) {
    case DescArg::Kind::End:
        return "nothing";
    case DescArg::Kind::Int:
        return "an int (" + std::to_string(arg.integer) + ")";
    case DescArg::Kind::Double:
        return "a double";
    case DescArg::Kind::Float:
        return "a float";
    case DescArg::Kind::WString:
        return "a wide string";
    case DescArg::Kind::NarrowString:
        return "a narrow (char) string";
    case DescArg::Kind::Pointer:
        return "a pointer";
    case DescArg::Kind::ClassId:
        return "a Class_ID";
    case DescArg::Kind::Object:
        return "an object passed by value";
    }
    return "an unknown value";
}

} // namespace

const DescArg* PackedArgReader::Next(const std::string& what) {
    if (next >= count) {
        problem = "the argument list ends where " + what + " is expected (is a p_end missing?)";
        return nullptr;
    }
    return &args[next++];
}

bool PackedArgReader::Mismatch(const DescArg& arg, const std::string& expected,
                               const std::string& what) {
    problem = "argument " + std::to_string(next + 5) + " (" + what + ") is " + KindName(arg) +
              ", but " + expected + " is read there";
    return false;
}

bool PackedArgReader::Int(int& v, const std::string& what) {
    const DescArg* arg = Next(what);
    if (!arg) {
        return false;
    }
    if (arg->kind != DescArg::Kind::Int) {
        return Mismatch(*arg, "an int", what);
    }
    if (arg->integer < INT_MIN || arg->integer > INT_MAX) {
        return Mismatch(*arg, "an int (this value does not fit one)", what);
    }
    v = static_cast<int>(arg->integer);
    return true;
}

bool PackedArgReader::Real(double& v, const std::string& what) {
    const DescArg* arg = Next(what);
    if (!arg) {
        return false;
    }
    if (arg->kind != DescArg::Kind::Double && arg->kind != DescArg::Kind::Float) {
        return Mismatch(*arg, "a float value (passed as a double; write e.g. 1.0f)", what);
    }
    v = arg->real;
    return true;
}

bool PackedArgReader::Pointer(const void*& v, const std::string& what) {
    const DescArg* arg = Next(what);
    if (!arg) {
        return false;
    }
    // NULL is the integer 0 on Windows; it reads as a null pointer.
    if (arg->kind == DescArg::Kind::Int && arg->integer == 0) {
        v = nullptr;
        return true;
    }
    if (arg->kind != DescArg::Kind::Pointer) {
        return Mismatch(*arg, "a pointer", what);
    }
    v = arg->pointer;
    return true;
}

bool PackedArgReader::String(const wchar_t*& v, const std::string& what) {
    const DescArg* arg = Next(what);
    if (!arg) {
        return false;
    }
    if (arg->kind != DescArg::Kind::WString || !arg->text) {
        return Mismatch(*arg, "a wide string (_T(\"...\"))", what);
    }
    v = arg->text;
    return true;
}

bool PackedArgReader::ClassId(Class_ID& v, const std::string& what) {
    const DescArg* arg = Next(what);
    if (!arg) {
        return false;
    }
    if (arg->kind != DescArg::Kind::ClassId) {
        return Mismatch(*arg, "a Class_ID", what);
    }
    v = arg->classId;
    return true;
}

bool VaListArgReader::Int(int& v, const std::string&) {
    v = va_arg(*args, int);
    return true;
}

bool VaListArgReader::Real(double& v, const std::string&) {
    v = va_arg(*args, double);
    return true;
}

bool VaListArgReader::Pointer(const void*& v, const std::string&) {
    v = va_arg(*args, const void*);
    return true;
}

bool VaListArgReader::String(const wchar_t*& v, const std::string& what) {
    v = va_arg(*args, const wchar_t*);
    if (!v) {
        problem = what + " is a null string";
        return false;
    }
    return true;
}

bool VaListArgReader::ClassId(Class_ID& v, const std::string&) {
    v = va_arg(*args, Class_ID);
    return true;
}

} // namespace MaxStandin
