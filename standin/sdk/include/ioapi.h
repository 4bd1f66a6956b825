// Chunked scene-file streams: ISave writes nested chunks (16-bit id, 32-bit length), ILoad reads
// them back. Only typed overloads are public; the raw byte versions stay private.
#pragma once

#include "baseinterface.h"
#include "geom/acolor.h"
#include "geom/box3.h"
#include "geom/matrix3.h"
#include "geom/point2.h"
#include "interval.h"

class ILoad;

// Typed forwarding overloads: one per type that may go to a file as raw bytes.
#define MAX_STANDIN_IO_TYPED(Method, Raw, Const)                                                   \
    IOResult Method(Const char* buf, ULONG n, ULONG* done) {                                       \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const wchar_t* buf, ULONG n, ULONG* done) {                                    \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const bool* buf, ULONG n, ULONG* done) {                                       \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const unsigned char* buf, ULONG n, ULONG* done) {                              \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const short* buf, ULONG n, ULONG* done) {                                      \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const unsigned short* buf, ULONG n, ULONG* done) {                             \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const int* buf, ULONG n, ULONG* done) {                                        \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const unsigned int* buf, ULONG n, ULONG* done) {                               \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const long* buf, ULONG n, ULONG* done) {                                       \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const unsigned long* buf, ULONG n, ULONG* done) {                              \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const long long* buf, ULONG n, ULONG* done) {                                  \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const unsigned long long* buf, ULONG n, ULONG* done) {                         \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const float* buf, ULONG n, ULONG* done) {                                      \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const double* buf, ULONG n, ULONG* done) {                                     \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Point2* buf, ULONG n, ULONG* done) {                                     \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Point3* buf, ULONG n, ULONG* done) {                                     \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Color* buf, ULONG n, ULONG* done) {                                      \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const AColor* buf, ULONG n, ULONG* done) {                                     \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Matrix3* buf, ULONG n, ULONG* done) {                                    \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Box3* buf, ULONG n, ULONG* done) {                                       \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Class_ID* buf, ULONG n, ULONG* done) {                                   \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }                                                                                              \
    IOResult Method(Const Interval* buf, ULONG n, ULONG* done) {                                   \
        return Raw(static_cast<const void*>(buf), n, done);                                        \
    }

class CoreExport ISave : public InterfaceServer {
public:
    virtual void BeginChunk(USHORT id) = 0;
    virtual void EndChunk() = 0;
    virtual int CurChunkDepth() = 0;
    virtual int GetRefID(void* ptarg) = 0;
    // Writes the string with its terminator.
    virtual IOResult WriteWString(const char* str) = 0;
    virtual IOResult WriteWString(const wchar_t* str) = 0;
    virtual IOResult WriteCString(const char* str) = 0;
    virtual IOResult WriteCString(const wchar_t* str) = 0;

    MAX_STANDIN_IO_TYPED(Write, WriteRaw, const)
    IOResult WriteVoid(const void* buf, ULONG nbytes, ULONG* nwrit) {
        return Write(buf, nbytes, nwrit);
    }
    template <typename T> IOResult WriteEnum(const T* buf, ULONG nbytes, ULONG* nwrit) {
        static_assert(sizeof(T) == sizeof(int), "enums are written as int");
        return Write(buf, nbytes, nwrit);
    }

private:
    IOResult WriteRaw(const void* buf, ULONG nbytes, ULONG* nwrit) {
        return Write(buf, nbytes, nwrit);
    }
    virtual IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) = 0;
};

class CoreExport PostLoadCallback : public InterfaceServer {
public:
    virtual void proc(ILoad* iload) = 0;
    virtual int Priority() { return 5; }
};

class CoreExport ILoad : public InterfaceServer {
public:
    // IO_OK when a further chunk follows at this level, IO_END when none, IO_ERROR when the
    // stream is damaged.
    virtual IOResult OpenChunk() = 0;
    virtual USHORT CurChunkID() = 0;
    virtual ULONGLONG CurChunkLength() = 0;
    virtual int CurChunkDepth() = 0;
    virtual IOResult CloseChunk() = 0;
    // Id of the chunk that the next OpenChunk would open, 0 when there is none.
    virtual USHORT PeekNextChunkID() = 0;
    // Reads the rest of the current chunk as a string; the buffer belongs to the stream.
    virtual IOResult ReadWStringChunk(char** buf) = 0;
    virtual IOResult ReadWStringChunk(wchar_t** buf) = 0;
    virtual IOResult ReadCStringChunk(char** buf) = 0;
    virtual IOResult ReadCStringChunk(wchar_t** buf) = 0;
    virtual void RegisterPostLoadCallback(PostLoadCallback* cb) = 0;

    MAX_STANDIN_IO_TYPED(Read, ReadRaw, const)
    IOResult ReadVoid(const void* buf, ULONG nbytes, ULONG* nread) {
        return Read(const_cast<void*>(buf), nbytes, nread);
    }
    template <typename T> IOResult ReadEnum(const T* buf, ULONG nbytes, ULONG* nread) {
        static_assert(sizeof(T) == sizeof(int), "enums are read as int");
        return ReadVoid(buf, nbytes, nread);
    }

private:
    IOResult ReadRaw(const void* buf, ULONG nbytes, ULONG* nread) {
        return Read(const_cast<void*>(buf), nbytes, nread);
    }
    virtual IOResult Read(void* buf, ULONG nbytes, ULONG* nread) = 0;
};

#undef MAX_STANDIN_IO_TYPED
