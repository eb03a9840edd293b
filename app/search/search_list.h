#pragma once

#include <QString>
#include <QStringList>

// Splits a ";"-separated list of masks or folders. Every piece before the last ";" is trimmed
// and kept when non-empty and not yet listed; the piece after the last ";" is kept when non-empty
// after trimming, without the test for an equal entry; a text without ";" is kept unchanged
// unless it is blank. So "*.dbf;*.dbf;*.dbf" gives "*.dbf" twice.
QStringList SplitSearchList(const QString& text);
