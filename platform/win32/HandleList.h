// The handles a started program inherits, and no others: Norvex runs as administrator, and a handle the program
// need not have (a console's, a file's held for reading only) must not go with it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

namespace platform {

// A process-thread attribute list naming exactly `handles`, which must stay in place until the program has started.
class THandleList {
public:
    THandleList(HANDLE* handles, size_t count) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        Buffer.reset(new BYTE[size]);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(Buffer.get());
        if (!InitializeProcThreadAttributeList(list, 1, 0, &size))
            return;
        Initialized = list;
        if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles, count * sizeof(HANDLE),
                                      nullptr, nullptr))
            Ready = list;
    }
    ~THandleList() {
        if (Initialized != nullptr)
            DeleteProcThreadAttributeList(Initialized);
    }
    THandleList(const THandleList&) = delete;
    THandleList& operator=(const THandleList&) = delete;

    // The list for STARTUPINFOEX; null when it could not be made.
    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return Ready; }

private:
    std::unique_ptr<BYTE[]> Buffer;
    LPPROC_THREAD_ATTRIBUTE_LIST Initialized = nullptr;
    LPPROC_THREAD_ATTRIBUTE_LIST Ready = nullptr;
};

} // namespace platform
