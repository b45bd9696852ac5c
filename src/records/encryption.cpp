#include "records/encryption.h"

#include <algorithm>

namespace {

QByteArray reversed(QByteArray text)
{
    std::reverse(text.begin(), text.end());
    return text;
}

// Character j of the text (from 1) with character j mod L of the key (from 0).
void combine(const QByteArray &reversedKey, QByteArray &text)
{
    const qsizetype l = reversedKey.size();
    if (l == 0)
        return; // the key is never empty; without one there is nothing to combine
    for (qsizetype j = 1; j <= text.size(); ++j)
        text[j - 1] = char(text[j - 1] ^ reversedKey[j % l]);
}

} // namespace

QByteArray Scramble(const QByteArray &key, const QByteArray &text)
{
    QByteArray t = reversed(text);
    combine(reversed(key), t);
    return t;
}

QByteArray Unscramble(const QByteArray &key, const QByteArray &text)
{
    QByteArray t = text;
    combine(reversed(key), t);
    t = reversed(t);
    const qsizetype marker = t.indexOf("^@^");
    if (marker >= 0)
        t.truncate(marker);
    return t;
}
