// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Result codes of the COM-style layer: negative means failure.
#include <cstdint>
#include <stdexcept>

using HRESULT = int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_ABORT = HRESULT(0x80004004u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = HRESULT(0x80070005u);
constexpr HRESULT E_HANDLE = HRESULT(0x80070006u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154u);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT E_BOUNDS = HRESULT(0x8000000Bu);

// Failure codes the device server answers with (Win32 errors in HRESULT form).
constexpr HRESULT E_FILE_NOT_FOUND = HRESULT(0x80070002u);       // import file missing or unreadable
constexpr HRESULT E_INVALID_DATA = HRESULT(0x8007000Du);         // import file or record malformed
constexpr HRESULT E_DEVICE_FULL = HRESULT(0x80070070u);          // no room left (profile or macro limit)
constexpr HRESULT E_NOT_FOUND = HRESULT(0x80070490u);            // unknown profile, macro, light or property
constexpr HRESULT E_DEVICE_NOT_CONNECTED = HRESULT(0x8007048Fu); // device unplugged
constexpr HRESULT E_FILE_CORRUPT = HRESULT(0x80070570u);         // the device's stored memory image is damaged
constexpr HRESULT E_WRITE_FAULT = HRESULT(0x8007001Du);          // the memory image could not be stored
constexpr HRESULT E_DEVICE_BUSY = HRESULT(0x800700AAu);          // another client holds the device for a write

constexpr bool SUCCEEDED(HRESULT hr)
{
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr)
{
    return hr < 0;
}

// Raised where the original design raises a COM failure code to the caller
// (a missing name, an internal string failure).
class ComError : public std::runtime_error {
public:
    explicit ComError(HRESULT code, const char* what = "COM failure") : std::runtime_error(what), code_(code) {}
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};
