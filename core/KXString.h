// KXString: an immutable, reference-counted byte string that may contain zero bytes, and the
// accessors for the shared string constants.
//
// Invariants: m_data holds m_length + 1 bytes and m_data[m_length] == 0; the bytes never change
// after construction; 0 <= m_length <= MaxLength. The text is stored in the same allocation as
// the object, right after it.
#pragma once

#include "base/KXObject.h"

#include <cstddef>
#include <string>
#include <string_view>

class KXString : public KXObject {
public:
    // The longest string the runtime makes; longer results raise "String too long".
    static constexpr int MaxLength = 0x7FFFFFF0;

    // A new string with one reference, copying len bytes of text (len < 0 counts as 0).
    static KXString* create(const char* text, int len);
    static KXString* create(std::string_view text);

    // A new string with one reference of len bytes that fill writes (it receives the len-byte
    // buffer, already ended by a zero byte after it). len above MaxLength raises "String too
    // long"; a failed allocation raises "Out of memory".
    template<class Fill>
    static KXString* build(long long len, Fill&& fill)
    {
        KXString* s = allocate(len);
        fill(s->m_data);
        return s;
    }

    // A command result: the shared empty string for "", otherwise a new string. Either way the
    // caller receives one reference.
    static KXString* make(std::string_view text);

    // The shared constants, each with a new reference for the caller. They never allocate once
    // made; they are made with the KXString module object as the process starts (or on first
    // use, should that come earlier).
    static KXString* empty();
    static KXString* character(unsigned char c);
    static KXString* nanText();
    static KXString* infinityText();
    static KXString* negativeInfinityText();

    const char* data() const { return m_data; }
    int length() const { return m_length; }
    bool isEmpty() const { return m_length == 0; }
    std::string_view view() const { return { m_data, size_t(m_length) }; }
    std::string str() const { return std::string(view()); }
    const char* typeName() const override { return "String"; }

    ~KXString() override = default;

    // The text lives in the object's own allocation.
    static void operator delete(void* p) { ::operator delete(p); }

private:
    struct Extra {
        size_t bytes;
    };
    static void* operator new(size_t size, Extra extra) noexcept;
    static void operator delete(void* p, Extra) { ::operator delete(p); }

    KXString() = default;
    static KXString* allocate(long long len);

    int m_length { 0 };
    char* m_data { nullptr };
};

// The text of a borrowed string; a null pointer reads as the empty string.
inline std::string_view kxStrView(const KXString* s) { return s ? s->view() : std::string_view("", 0); }

// Shorthands used by command code: a new reference to the shared empty string, and a result
// string made from text (shared empty string for "").
inline KXString* kxStrEmpty() { return KXString::empty(); }
inline KXString* kxStrResult(std::string_view text) { return KXString::make(text); }
