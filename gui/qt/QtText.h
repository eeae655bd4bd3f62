// QtText: the conversion between the runtime's byte strings (one byte per character, Latin-1)
// and Qt's strings, so that every byte a program passes reaches the screen and comes back.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QtText {
public:
    static QString toQt(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }
    static std::string fromQt(const QString& text)
    {
        QByteArray b = text.toLatin1();
        return std::string(b.constData(), size_t(b.size()));
    }
};
