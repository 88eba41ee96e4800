// The WinINet calls the network platform makes, on libcurl: an internet session, an HTTP GET of a
// URL, the response's status code and content length, reading the body, closing.
//
// Handles are this layer's own numbers and never reused, so closing a handle twice is a harmless
// failure. Closing a request handle from another thread while a call on it waits for the network
// cancels that call, which then fails, as closing a handle does on the desktop; closing a session
// handle does the same to every request opened on it, one still waiting for its headers included.
// Failures set the last error (Kernel/LastError.h) to one of the codes below.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <cstdint>

using HINTERNET = void*;
using DWORD_PTR = std::uintptr_t;

// InternetOpenW access types. Both "preconfigured" types use the proxy the environment names
// (http_proxy, no_proxy...); direct uses none.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY = 4;

// InternetOpenUrlW flags. There is no cache here, so reload and no-cache-write always hold; the
// no-cache pragma sends "Pragma: no-cache" and "Cache-Control: no-cache". Cookies are never kept
// or sent, with or without the flag.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_FLAG_NO_COOKIES = 0x00080000;
constexpr DWORD INTERNET_FLAG_NO_UI = 0x00000200;
constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;

// InternetSetOptionW options of this layer (WinINet's own timeouts do not bound a server that
// sends a byte now and then): DWORD values, set on a session for the requests opened on it later.
// The whole request, connecting and headers included, may take this many milliseconds (0: no limit).
constexpr DWORD INTERNET_OPTION_DEADLINE = 0x10001;
// A request moving fewer than LOW_SPEED_LIMIT bytes a second for LOW_SPEED_TIME milliseconds
// (counted in whole seconds) fails; 0 for either leaves only the stall limit, a minute without a byte.
constexpr DWORD INTERNET_OPTION_LOW_SPEED_LIMIT = 0x10002;
constexpr DWORD INTERNET_OPTION_LOW_SPEED_TIME = 0x10003;

// HttpQueryInfoW levels and modifier.
constexpr DWORD HTTP_QUERY_CONTENT_LENGTH = 5;
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;

// Last-error codes of this layer's network calls.
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12001;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12002;
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12003;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12004;
constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12005;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12006;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12007;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12008;
constexpr DWORD ERROR_INTERNET_INVALID_OPTION = 12009;

// A session; agent (null for none) is sent as the user agent unless the request's own headers
// name one. Null on failure.
HINTERNET InternetOpenW(const wchar_t* agent, DWORD accessType, const wchar_t* proxy, const wchar_t* proxyBypass,
                        DWORD flags);
// Sends a GET for url (http or https; redirects are followed) on the session with the extra
// header lines in headers ("Name: value\r\n"...; headersLength in characters, or 0xFFFFFFFF when
// zero-terminated) and waits for the response's status line and headers. Null when the request
// cannot be made or no response arrives; any status counts as a response.
HINTERNET InternetOpenUrlW(HINTERNET internet, const wchar_t* url, const wchar_t* headers, DWORD headersLength,
                           DWORD flags, DWORD_PTR context);
// With HTTP_QUERY_FLAG_NUMBER: writes the value as a DWORD (bufferLength at least 4); without it,
// as zero-terminated wide text with bufferLength in bytes. The content length fails with
// ERROR_HTTP_HEADER_NOT_FOUND when the response has none. index is ignored.
BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD* index);
// Sets one of the options above on a session; buffer points to a DWORD.
BOOL InternetSetOptionW(HINTERNET internet, DWORD option, void* buffer, DWORD bufferLength);
// Up to toRead bytes of the body, waiting for at least one. TRUE with *read = 0 means the body
// ended cleanly; FALSE means the transfer failed (the connection dropped before the announced
// length, a network error, the handle was closed).
BOOL InternetReadFile(HINTERNET file, void* buffer, DWORD toRead, DWORD* read);
BOOL InternetCloseHandle(HINTERNET handle);
