#pragma once
// The basin's 17 layers: names, symbols, visibility at start and the message of each when it
// cannot be opened, in the order they are opened. Written here once.

#include <QColor>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class TCamada;
class TConexaoShape;

struct TItemCatalogo {
  const char* Nome;
  std::optional<QColor> Cor;
  std::optional<QColor> CorContorno;
  std::optional<int> Estilo;
  bool VisivelNoInicio;
  const char* Mensagem;  // UTF-8
};

namespace CatalogoCamadas {

inline constexpr int NumCamadas = 17;
const std::array<TItemCatalogo, NumCamadas>& Itens();

// "Erro ao criar conexão com os dados no formato shape".
QString MensagemConexao();
QString Mensagem(const TItemCatalogo& item);

// One row: a new layer named after the row, the dataset of that name from the connection (or
// none) attached, and the row's symbol set only when the layer is valid.
std::unique_ptr<TCamada> AbreCamada(TConexaoShape& conexao, const TItemCatalogo& item);

// The visibility at start: only the boundary and the two river layers stay visible.
void AplicaVisibilidadeInicial(TCamada& camada);

}  // namespace CatalogoCamadas
