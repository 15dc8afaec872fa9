#pragma once
// The cells of one workbook sheet as the readers of .xls and .xlsx files find them, before they
// become a table's columns and rows. Only the cells present are kept: a stray cell far below or
// to the right of the data costs one cell, not a grid up to it. Private to src/data.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

enum class TTipoCelulaXls : std::uint8_t { Nula, Inteiro, Real, Texto, Data, DataHora, Hora };

struct TCelulaXls {
  TTipoCelulaXls Tipo = TTipoCelulaXls::Nula;
  std::uint32_t Texto = 0;  // index into TFolhaXls::Textos
  double Valor = 0;         // the number, or the day count of a date
};

class TFolhaXls {
 public:
  // One row's cells by column, in column order.
  using TLinha = std::vector<std::pair<unsigned, TCelulaXls>>;

  // The cell at (linha, coluna), created empty when absent.
  TCelulaXls& Define(unsigned linha, unsigned coluna) {
    if (coluna >= Colunas) Colunas = coluna + 1;
    TLinha& l = Linhas_[linha];
    // Rows of a register are alike: room for as many cells as the row before took.
    if (l.empty() && Anterior_ && Anterior_ != &l) l.reserve(Anterior_->size());
    Anterior_ = &l;
    if (l.empty() || l.back().first < coluna) return l.emplace_back(coluna, TCelulaXls{}).second;
    auto it = std::lower_bound(l.begin(), l.end(), coluna,
                               [](const auto& c, unsigned col) { return c.first < col; });
    if (it == l.end() || it->first != coluna) it = l.insert(it, {coluna, TCelulaXls{}});
    return it->second;
  }

  const TCelulaXls* Celula(unsigned linha, unsigned coluna) const {
    const auto l = Linhas_.find(linha);
    if (l == Linhas_.end()) return nullptr;
    auto it = std::lower_bound(l->second.begin(), l->second.end(), coluna,
                               [](const auto& c, unsigned col) { return c.first < col; });
    return it != l->second.end() && it->first == coluna ? &it->second : nullptr;
  }

  // The rows that hold any cell, by row number.
  const std::map<unsigned, TLinha>& Linhas() const { return Linhas_; }

  // Columns: at least the declared extent, and every column that holds a cell.
  unsigned Colunas = 0;
  std::vector<QString> Textos;

 private:
  std::map<unsigned, TLinha> Linhas_;
  const TLinha* Anterior_ = nullptr;
};
