#pragma once
// The program's own artwork, drawn rather than shipped: the splash title picture and the icon.

#include <QIcon>
#include <QPixmap>

// The title picture of the splash window, 560 x 339 pixels.
QPixmap ImagemAbertura();
// The application's icon (a drop over a river).
QIcon IconePrograma();
