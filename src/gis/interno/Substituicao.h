#pragma once
// Replacing a shapefile's member files (.shp, .shx, .dbf...) as one: the new set is written
// whole in a folder beside them and marked complete, then moved over the old files one by one.
// A program stopped halfway leaves that folder behind; the next opening of the dataset finishes
// the move (marked complete) or throws the folder away (not marked: the old files are intact).
// A reader therefore never meets a new .shp beside an old .shx.

#include <QString>
#include <QStringList>

namespace Substituicao {

// Member files rewritten together, in the order they are moved.
const QStringList& Extensoes();

// The folder name's prefix for a save of `nome`; six random characters follow it.
QString Prefixo(const QString& nome);

// Flushes the new files to the disk, so that marking them later is quick.
void SincronizaMembros(const QString& temporaria, const QString& nome);

// Flushes the new files to the disk and records which of them make the set. Throws ETorveda.
void MarcaCompleta(const QString& temporaria, const QString& nome);

// Moves the set over the old files in `pasta`, removes members the set does not have and stale
// spatial indexes, then the folder. Safe to run again after an interruption. Throws ETorveda.
void Conclui(const QString& temporaria, const QString& pasta, const QString& nome);

// Finishes or discards whatever an interrupted save of `nome` left in `pasta`. Throws ETorveda
// when a complete set cannot be moved into place.
void Recupera(const QString& pasta, const QString& nome);

}  // namespace Substituicao
