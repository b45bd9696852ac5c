#pragma once
// A counted string as every record file stores text: one length byte followed
// by N character bytes. Bytes after the length carry no meaning. Text is
// single-byte and converted to QString as Latin-1 at this edge; a length byte
// larger than the field (a damaged or foreign file) is clamped, never trusted.

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "record layouts are little-endian and read by plain copy");

#pragma pack(push, 1)
template <int N>
struct TCountedString
{
    static_assert(N > 0 && N < 256, "a length byte counts at most 255 characters");
    static constexpr int Capacity = N;

    uint8_t Length = 0;
    char Chars[N] = {};

    int length() const { return std::min<int>(Length, N); }
    QByteArray bytes() const { return QByteArray(Chars, length()); }
    QString text() const { return QString::fromLatin1(Chars, length()); }
    bool isEmpty() const { return length() == 0; }

    // Longer texts are cut to the field. Characters beyond Latin-1 become '?'.
    void setBytes(const QByteArray &b)
    {
        const int n = std::min<int>(int(b.size()), N);
        Length = uint8_t(n);
        if (n > 0)
            std::memcpy(Chars, b.constData(), size_t(n));
    }
    void setText(const QString &s) { setBytes(s.toLatin1()); }
    void clear() { Length = 0; }

    TCountedString &operator=(const QString &s)
    {
        setText(s);
        return *this;
    }
};
#pragma pack(pop)

static_assert(sizeof(TCountedString<7>) == 8);
static_assert(sizeof(TCountedString<255>) == 256);
