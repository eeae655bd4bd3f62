// KXBank: a resizable block of raw memory that programs peek into, poke into and lend to
// external functions.
//
// Invariants: an owning bank has capacity > 0 and capacity >= size, and its data block holds
// capacity bytes; a view bank has capacity 0 and borrows size bytes at data from its owner (it
// never resizes or frees them). Bytes from size up to capacity are undefined: they are zeroed
// whenever a resize brings them into use.
//
// Layout: compiled code lends a bank to an external function by reading its data pointer at
// byte offset DataOffset of the object (size follows at DataOffset + 4). Keep the fields in
// this order and the bases unchanged.
#pragma once

#include "base/KXResource.h"

#include <cstdint>

class KXBank : public KXResource {
public:
    static constexpr int DataOffset = 24;

    // A new owning bank of size bytes, all zero (negative sizes count as 0), with 10 spare bytes, or
    // the runtime error "Bank memory could not be allocated".
    static KXBank* create(int size);
    // A new view bank onto nothing (size 0); its owner points it at memory with setData.
    static KXBank* createView();
    ~KXBank() override;

    // The bank a program's handle designates, or the runtime error "Invalid Bank handle". The
    // last bank that passed is remembered until it is destroyed, so that loops over one bank
    // pay for the full check once.
    static KXBank* fromHandle(int handle)
    {
        auto* bank = reinterpret_cast<KXBank*>(intptr_t(handle));
        return bank && bank == s_lastChecked ? bank : checkHandle(handle);
    }

    uint8_t* data() const { return m_data; }
    int size() const { return m_size; }
    int capacity() const { return m_capacity; }
    bool isView() const { return m_capacity == 0; }

    // Sets size (negative counts as 0). Growing beyond the capacity reallocates to
    // n + n/2 + 10 bytes; the bytes between the old and the new size read as 0; shrinking keeps
    // the capacity. A view bank raises "Bank cannot be resized".
    void resize(int n);
    // Points a view bank at size bytes of memory its owner keeps alive. An owning bank raises
    // "Bank data cannot be modified".
    void setData(void* data, int size);

    // True when [offset, offset + count) lies inside the bank (count >= 0).
    bool contains(int offset, int count) const
    {
        return offset >= 0 && count >= 0 && offset <= m_size - count;
    }

    const char* typeName() const override { return "Bank"; }

private:
    KXBank() = default;
    static KXBank* checkHandle(int handle);

    static inline KXBank* s_lastChecked = nullptr;
    uint8_t* m_data { nullptr };
    int m_size { 0 };
    int m_capacity { 0 };
};
