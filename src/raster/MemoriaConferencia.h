#pragma once
// What the start-up's cell checks already found sound, remembered in a small file beside the
// grids: each grid by the size and modification time of its header and data files. A grid whose
// files are unchanged is not read again, so an unchanged tree starts as fast as without the
// checks; a changed file, a new rule set, or a memory file that is missing, unreadable or not
// ours all mean "check again". Writing it is a courtesy: a folder that cannot be written keeps
// the checks running at every start-up and says nothing.

#include <QString>
#include <map>

class TMemoriaConferencia {
 public:
  // The memory file's name, in the grids' folder.
  static const QString NomeArquivo;

  // Reads the memory of the folder `pasta` (with or without the trailing separator).
  explicit TMemoriaConferencia(const QString& pasta);

  // True when the grid (its header file) passed the checks with its files as they are now.
  bool Conferida(const QString& arquivoGrade) const;
  // The grid passed the checks with its files as they are now.
  void Registra(const QString& arquivoGrade);
  // Forgets a grid that failed (it is checked again at the next start-up).
  void Esquece(const QString& arquivoGrade);
  // Writes the memory back when it changed (temporary file and rename); failures are ignored.
  void Grava() const;

 private:
  // "size mtime" of the header and of its data file, or an empty text when the header is gone.
  static QString Assinatura(const QString& arquivoGrade);

  QString Arquivo_;
  std::map<QString, QString> Grades_;  // file name -> signature
  bool Alterada_ = false;
};
