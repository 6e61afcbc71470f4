#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A broken promise of the code under test is a finding: libFuzzer keeps the input that
// aborted.
inline void fuzzCheck(bool condition)
{
    if (!condition)
        std::abort();
}

// The fuzz input as bytes, without a copy.
inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(
        reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
