#pragma once
// Byte images of stored records built from the documented offsets, without
// the record structs, so that a layout mistake in a struct cannot hide
// itself in the expected bytes.

#include <QByteArray>
#include <QFile>
#include <cstring>

class TImage
{
public:
    explicit TImage(int size) : bytes(size, '\0') {}
    TImage &str(int at, const QByteArray &s)
    {
        bytes[at] = char(s.size());
        std::memcpy(bytes.data() + at + 1, s.constData(), size_t(s.size()));
        return *this;
    }
    TImage &raw(int at, const QByteArray &s)
    {
        std::memcpy(bytes.data() + at, s.constData(), size_t(s.size()));
        return *this;
    }
    TImage &i32(int at, qint32 v)
    {
        std::memcpy(bytes.data() + at, &v, 4);
        return *this;
    }
    TImage &f64(int at, double v)
    {
        std::memcpy(bytes.data() + at, &v, 8);
        return *this;
    }
    QByteArray bytes;
};

// A 48-byte price record.
inline QByteArray PriceImage(const QByteArray &date, double high, double low, double close, qint32 volume)
{
    return TImage(48).str(0, date).f64(16, high).f64(24, low).f64(32, close).i32(40, volume).bytes;
}

inline QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}
