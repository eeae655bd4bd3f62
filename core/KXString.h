// KXString: an immutable, reference-counted byte string that may contain zero bytes.
//
// Invariants: m_data holds m_length + 1 bytes and m_data[m_length] == 0; the bytes never change
// after construction.
#pragma once

#include "core/KXObject.h"

#include <string>
#include <string_view>

class KXString : public KXObject {
public:
    // A new string with one reference, copying len bytes of text.
    static KXString* create(const char* text, int len);
    static KXString* create(std::string_view text) { return create(text.data(), int(text.size())); }

    const char* data() const { return m_data; }
    int length() const { return m_length; }
    std::string_view view() const { return { m_data, size_t(m_length) }; }
    std::string str() const { return std::string(view()); }
    const char* typeName() const override { return "String"; }

    ~KXString() override;

private:
    KXString() = default;
    int m_length { 0 };
    char* m_data { nullptr };
};
