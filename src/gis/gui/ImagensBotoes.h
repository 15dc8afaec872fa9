#pragma once
// The tool buttons' pictures, drawn by code so that they scale and need no resource files.

#include <QIcon>

enum class TImagemBotao {
  Cursor,
  ZoomIn,
  ZoomOut,
  Pan,
  FullExtend,
  ZoomFixedIn,
  ZoomFixedOut,
  Information,
  Balanco  // an arc's monthly balance: a table with the classes' colours
};

QIcon ImagemBotao(TImagemBotao tipo);
