#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace tavolin {

// The large buttons' pictures: a white symbol on a rounded tile of the command's colour, painted so
// they look alike on every desktop whatever icon theme it has.
QIcon tileIcon(const QString& symbol, const QColor& colour);

// The "people" picture (user administration), drawn rather than taken from a font.
QIcon peopleTileIcon(const QColor& colour);

}  // namespace tavolin
