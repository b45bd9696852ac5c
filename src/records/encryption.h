#pragma once
// The scrambling routine for the two protected text fields of the portfolio
// and watch lists. It keeps a casual reader of Port.sbl from seeing a
// password; it is not meant to withstand more than that.

#include <QByteArray>

// Reverses `text`, then combines character j (counted from 1) with character
// j mod L of the reversed key. The result keeps the length of `text` and may
// hold any byte value.
QByteArray Scramble(const QByteArray &key, const QByteArray &text);

// Undoes Scramble and cuts the result at the end marker "^@^", if any.
QByteArray Unscramble(const QByteArray &key, const QByteArray &text);
