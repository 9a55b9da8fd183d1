// The component-object basics: initialisation of a thread, object creation,
// task memory, and the result codes of the OLE calls. Interfaces themselves
// (IUnknown, GUIDs, TInterfacedObject, InterfacePtr) are the base layer's
// (platform/base/Interface.h).
#pragma once

#include <cstddef>

#include "platform/base/Interface.h"
#include "platform/base/Types.h"

// Initialisation.
constexpr HRESULT RPC_E_CHANGED_MODE = HRESULT(0x80010106);
constexpr HRESULT CO_E_NOTINITIALIZED = HRESULT(0x800401F0);
// Creation.
constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110);
// Data objects.
constexpr HRESULT OLE_S_USEREG = HRESULT(0x00040000);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003);
constexpr HRESULT OLE_E_NOCONNECTION = HRESULT(0x80040004);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064);
constexpr HRESULT DV_E_LINDEX = HRESULT(0x80040068);
constexpr HRESULT DV_E_TYMED = HRESULT(0x80040069);
constexpr HRESULT DV_E_DVASPECT = HRESULT(0x8004006B);
constexpr HRESULT DATA_S_SAMEFORMATETC = HRESULT(0x00040130);
constexpr HRESULT CONNECT_E_NOCONNECTION = HRESULT(0x80040200);
// The clipboard.
constexpr HRESULT CLIPBRD_E_CANT_OPEN = HRESULT(0x800401D0);
constexpr HRESULT CLIPBRD_E_CANT_EMPTY = HRESULT(0x800401D1);
constexpr HRESULT CLIPBRD_E_CANT_SET = HRESULT(0x800401D2);
constexpr HRESULT CLIPBRD_E_BAD_DATA = HRESULT(0x800401D3);
constexpr HRESULT CLIPBRD_E_CANT_CLOSE = HRESULT(0x800401D4);
// Drag and drop.
constexpr HRESULT DRAGDROP_S_DROP = HRESULT(0x00040100);
constexpr HRESULT DRAGDROP_S_CANCEL = HRESULT(0x00040101);
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = HRESULT(0x00040102);
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = HRESULT(0x80040102);

// Class contexts of CoCreateInstance.
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1, CLSCTX_INPROC_HANDLER = 0x2, CLSCTX_LOCAL_SERVER = 0x4,
                CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2, COINIT_MULTITHREADED = 0x0;

// Counted per thread: S_OK for the first call of a thread, S_FALSE for the
// next ones; each success wants its uninitialise. OleInitialize also readies
// the thread for the OLE clipboard and drag and drop.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD flags);
void CoUninitialize();
HRESULT OleInitialize(void* reserved);
// The last one on a thread renders the thread's data object on the clipboard
// into the plain clipboard (so the data outlives it) and drops stale drop
// targets.
void OleUninitialize();
// Whether the calling thread called OleInitialize (and not yet its last
// OleUninitialize).
bool IsOleInitialized();

// No class is registered in this process, so every creation answers
// REGDB_E_CLASSNOTREG: the shell's drag-picture helpers are absent and their
// callers take their own paths. Without CoInitialize: CO_E_NOTINITIALIZED.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object);

// Objects are never marshalled to other processes or apartments, so there
// are no outside connections to cut: S_OK for any object, E_INVALIDARG for none.
HRESULT CoDisconnectObject(IUnknown* object, DWORD reserved);

// Task memory: what OLE calls hand over and the receiver frees (file names of
// TYMED_FILE media, for one).
void* CoTaskMemAlloc(std::size_t size);
void* CoTaskMemRealloc(void* memory, std::size_t size);
void CoTaskMemFree(void* memory);

// The canonical IUnknown of an object: what it answers for IUnknown, or the
// pointer itself when it answers nothing. Two pointers name one object when
// their canonical IUnknowns are equal. The answer holds no reference.
IUnknown* CanonicalUnknown(IUnknown* object);
