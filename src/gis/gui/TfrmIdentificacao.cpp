#include "gis/gui/TfrmIdentificacao.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVector>
#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "grants/FormataNumero.h"
#include "hydro/TPonto.h"
#include "sistema/TSistema.h"

struct TfrmIdentificacao::TTipoFeicao {
  const char* Camada;
  QStringList Campos;
  QStringList Datas;
  bool VerticalSempre = false;
};

namespace {

QStringList Lista(std::initializer_list<const char*> nomes) {
  QStringList l;
  for (const char* n : nomes) l << QString::fromLatin1(n);
  return l;
}

constexpr double RaioBusca = 100.0;

QString MensagemCampoAusente(const QString& camada) {
  return QStringLiteral("(campo ausente na camada %1)").arg(camada);
}
constexpr int LimiteTextoLongo = 50;

}  // namespace

TfrmIdentificacao::TfrmIdentificacao(TSistema& sistema, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                       Qt::WindowTitleHint),
      Sistema_(sistema) {
  setObjectName(QStringLiteral("frmIdentificacao"));
  setWindowTitle(QStringLiteral("Identificação"));
  setModal(true);
  setFixedSize(501, 400);

  TreeView1 = new QTreeWidget(this);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setGeometry(2, 3, 135, 394);
  TreeView1->setIndentation(19);
  TreeView1->setHeaderHidden(true);
  TreeView1->setColumnCount(1);
  connect(TreeView1, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* atual, QTreeWidgetItem*) {
            if (atual) TreeView1Changing(atual);
          });

  auto titulo = [this](const QString& nome, const QString& texto, const QRect& r) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(nome);
    l->setGeometry(r);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    return l;
  };
  pnlCampo = titulo(QStringLiteral("pnlCampo"), QStringLiteral("Campo"), QRect(141, 4, 95, 18));
  pnlValor = titulo(QStringLiteral("pnlValor"), QStringLiteral("Valor"), QRect(238, 4, 262, 18));
  // The headings grow with the font, the table below them gives way.
  const int altura = std::max(18, pnlCampo->sizeHint().height());
  pnlCampo->resize(pnlCampo->width(), altura);
  pnlValor->resize(pnlValor->width(), altura);

  tsInformacao = new QTableWidget(this);
  tsInformacao->setObjectName(QStringLiteral("tsInformacao"));
  tsInformacao->setGeometry(140, 6 + altura, 360, 373 - (altura - 18));
  tsInformacao->horizontalHeader()->hide();
  tsInformacao->verticalHeader()->hide();
  tsInformacao->setShowGrid(false);
  tsInformacao->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tsInformacao->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tsInformacao->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  Dimensiona(0, 0);
}

TCamada* TfrmIdentificacao::Camada(const char* nome) const {
  TCamada* c = Sistema_.Camada(QString::fromLatin1(nome));
  return c && c->Valida() ? c : nullptr;
}

void TfrmIdentificacao::Dimensiona(int colunas, int linhas) {
  tsInformacao->clearContents();
  tsInformacao->setColumnCount(colunas);
  tsInformacao->setRowCount(linhas);
  tsInformacao->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tsInformacao->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TfrmIdentificacao::Escreve(int linha, const QString& campo, const QString& valor) {
  tsInformacao->setItem(linha, 0, new QTableWidgetItem(campo));
  tsInformacao->setItem(linha, 1, new QTableWidgetItem(valor));
}

void TfrmIdentificacao::LarguraColunas() {
  if (tsInformacao->columnCount() < 2) return;
  tsInformacao->setColumnWidth(0, 94);
  tsInformacao->setColumnWidth(1, 1000);
}

void TfrmIdentificacao::Limpa() {
  TreeView1->clear();
  Dimensiona(0, 0);
}

void TfrmIdentificacao::MontaArvore(const TPontoMapa& p, const TPontoIdentificado& identificado) {
  Identificado_ = identificado;
  // Selecting a node while rebuilding must not refill the table from a half-built tree.
  const QSignalBlocker bloqueio(TreeView1);
  Limpa();
  auto no = [this](const QString& texto, const QString* filho) {
    auto* item = new QTreeWidgetItem(TreeView1, QStringList(texto));
    if (filho) new QTreeWidgetItem(item, QStringList(*filho));
  };
  no(QStringLiteral("Posição"), nullptr);
  no(QStringLiteral("Área de drenagem"), nullptr);

  const TPonto& ponto = Identificado_.Ponto;
  auto visivel = [this](const char* nome) {
    TCamada* c = Camada(nome);
    return c && c->Visivel() ? c : nullptr;
  };
  if (visivel("Hidrografia")) no(QStringLiteral("Hidrografia"), &ponto.NomeRio());
  if (visivel("Estados")) no(QStringLiteral("Estado"), &ponto.Estado());
  if (visivel("Municipios")) no(QStringLiteral("Município"), &ponto.Municipio());

  // A kind found by distance: the first record within reach. An empty key field names the
  // record by its feature id.
  auto porDistancia = [&](const char* nome, const char* texto, const char* campo, QString& chave) {
    TCamada* c = visivel(nome);
    if (!c) return;
    TRegistros r = c->ProcuraPorDistancia(p, RaioBusca);
    r.Primeiro();
    if (r.Fim()) return;
    chave = *campo ? r.Texto(QString::fromLatin1(campo)) : QString::number(r.Chave());
    no(QString::fromUtf8(texto), &chave);
  };
  porDistancia("Estradas", "Estrada", "Rodovia", Chaves_.Estrada);
  porDistancia("Est_Fluviometricas", "Estação Fluviométrica", "Codigo", Chaves_.EstFlu);
  porDistancia("Est_Pluviometricas", "Estação Pluviométrica", "Codigo", Chaves_.EstPlu);
  porDistancia("Out_Sup_Signif_AQEM", "OutSuperSignificante", "", Chaves_.OutSupSignif);
  porDistancia("Out_Sub_Signif_AQEM", "OutSubSignificante", "", Chaves_.OutSubSignif);
  porDistancia("Out_Sup_Insignif_AQEM", "OutSuperInsignificante", "", Chaves_.OutSupInsig);
  porDistancia("Out_Sub_Insignif_AQEM", "OutSubInsignificante", "", Chaves_.OutSubInsig);
  porDistancia("Out_Sup_ANA", "Outorga ANA", "", Chaves_.OutAna);
}

void TfrmIdentificacao::PreencheTipo(const TTipoFeicao& tipo, const QString& campoChave,
                                     const QString& alvo, bool porTexto) {
  TCamada* c = Camada(tipo.Camada);
  // A layer made elsewhere may lack a field of the list: its row names it, the others show.
  auto existe = [c](const QString& campo) {
    return campo == QLatin1String("Shape") || (c->Dados() && c->Dados()->IndiceCampo(campo) >= 0);
  };
  if (c && !campoChave.isEmpty() && !existe(campoChave)) c = nullptr;
  // The rows are read in full before any is shown, so a read that fails leaves the table empty
  // rather than half filled.
  QVector<QString> valores(tipo.Campos.size());
  bool longo = false;
  bool achou = false;
  if (c) {
    TRegistros r = c->Registros();
    for (r.Primeiro(); !r.Fim(); r.Proximo()) {
      const bool igual = campoChave.isEmpty() ? QString::number(r.Chave()) == alvo
                         : porTexto           ? r.Texto(campoChave) == alvo
                                              : r.Valor(campoChave).toString() == alvo;
      if (!igual) continue;
      achou = true;
      for (int i = 0; i < tipo.Campos.size(); ++i) {
        const QString& campo = tipo.Campos[i];
        if (!existe(campo)) {
          valores[i] = MensagemCampoAusente(QString::fromLatin1(tipo.Camada));
          continue;
        }
        QString valor = r.Texto(campo);
        if (tipo.Datas.contains(campo)) {
          bool ok = false;
          const qint64 dias = valor.toLongLong(&ok);
          // A day count the field cannot hold is shown as it was read rather than aborting the
          // rows after it.
          if (ok && dias >= INT32_MIN && dias <= INT32_MAX)
            valor = QLocale().toString(TRegistros::DataDe(static_cast<qint32>(dias)),
                                       QLocale::ShortFormat);
        }
        longo = longo || valor.size() > LimiteTextoLongo;
        valores[i] = valor;
      }
      break;
    }
  }
  Dimensiona(2, static_cast<int>(tipo.Campos.size()));
  if (achou)
    for (int i = 0; i < tipo.Campos.size(); ++i) Escreve(i, tipo.Campos[i], valores[i]);
  LarguraColunas();
  const bool temHorizontal = tipo.Campos.size() >= 16;  // the kinds with long free texts
  if (tipo.VerticalSempre) tsInformacao->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  if (temHorizontal && longo) tsInformacao->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TfrmIdentificacao::TreeView1Changing(QTreeWidgetItem* no) {
  Dimensiona(0, 0);
  if (!no) return;
  const QString texto = no->text(0);
  const QString pai = no->parent() ? no->parent()->text(0) : QString();
  const TPonto& ponto = Identificado_.Ponto;

  if (texto == QStringLiteral("Posição")) {
    Dimensiona(2, 4);
    Escreve(0, QStringLiteral("Latitude"), ponto.LatitudeGMS());
    Escreve(1, QStringLiteral("Longitude"), ponto.LongitudeGMS());
    // Projected coordinates to the centimetre, as the reports give them.
    Escreve(2, QStringLiteral("Y"), FormataMetros(ponto.CoordY()) + QStringLiteral(" m"));
    Escreve(3, QStringLiteral("X"), FormataMetros(ponto.CoordX()) + QStringLiteral(" m"));
    LarguraColunas();
  }
  if (texto == QStringLiteral("Área de drenagem")) {
    Dimensiona(2, 1);
    Escreve(0, QStringLiteral("Área de drenagem"),
            FormataArea(ponto.AreaDrenagem()) + QStringLiteral(" km²"));
    LarguraColunas();
  }

  static const TTipoFeicao rio{
      "Hidrografia",
      Lista({"Shape", "Fnode_", "Tnode_", "Lpoly_", "Rpoly_", "Length", "Ho_", "Ho_id", "Arcid",
             "Arctype", "Fromnode", "Tonode", "Leftpoly", "Rightpoly", "Numericuse", "Textuserid",
             "EstFlu", "Eq_Conserv"}),
      {}};
  static const TTipoFeicao estado{
      "Estados", Lista({"Shape", "Uf", "Codigouf", "Area", "Perimetro"}), {}};
  static const TTipoFeicao municipio{"Municipios", Lista({"Shape", "Municipio", "Uf"}), {}};
  static const TTipoFeicao estrada{"Estradas", Lista({"Shape", "Rodovia"}), {}};
  static const TTipoFeicao estFlu{
      "Est_Fluviometricas",
      Lista({"Shape", "Latitude", "Longitude", "Area", "Codigo", "Estacoes"}),
      {}};
  static const TTipoFeicao estPlu{
      "Est_Pluviometricas",
      Lista({"Shape", "Latitude", "Longitude", "Altitude", "Estacao", "Codigo"}),
      {}};
  const QStringList signif =
      Lista({"Shape", "Longitude", "Latitude", "Nprocesso", "Requerente", "Nportaria", "Datapublic",
             "Municipio", "Rioestadua", "Riofederal", "Rechidrico", "Vazao", "Local", "Dataentrad",
             "Obs", "Validade", "Finalidade", "Uso"});
  const QStringList datasSignif = Lista({"Datapublic", "Dataentrad"});
  const QStringList insig =
      Lista({"Shape", "Longitude", "Latitude", "Nprocesso", "Requerente", "Municipio", "Rioestadua",
             "Riofederal", "Rechidrico", "Vazao", "Local", "Dataentrad", "Ncertidao", "Dataexpedi",
             "Finalidade", "Uso"});
  const QStringList datasInsig = Lista({"Dataentrad", "Dataexpedi"});
  static const TTipoFeicao ana{
      "Out_Sup_ANA",
      Lista({"Shape",      "NomeReq",    "NrPort01",   "DataPub01",  "DataVenc01", "Latitude",
             "Longitude",  "Hemisferio", "Uf",         "NOME_SIMPL", "TipoMan",    "Rios",
             "Bacia1",     "Finalidade", "Qjan",       "Qfev",       "Qmar",       "Qabr",
             "Qmai",       "Qjun",       "Qjul",       "Qago",       "Qset",       "Qout",
             "Qnov",       "Qdez",       "Abastecime", "Aquicultur", "Industria",  "Irrigacao",
             "Saneamento", "Mineracao",  "PequenosUs", "Hidrogerac", "Termogerac", "Obras",
             "Diversos",   "Servicos",   "Travessia",  "Navegacao",  "Lazer",      "Outros"}),
      Lista({"DataPub01", "DataVenc01"}), true};

  // The arc under the point itself, not the first arc of the river's name: a river has many.
  if (texto == ponto.NomeRio())
    PreencheTipo(rio, QString(), QString::number(Identificado_.RegistroArco), true);
  if (texto == ponto.Estado()) PreencheTipo(estado, QStringLiteral("Uf"), texto, false);
  if (texto == ponto.Municipio())
    PreencheTipo(municipio, QStringLiteral("Municipio"), texto, false);

  // The kinds found by distance are told apart by the node they hang from as well, so that a
  // feature id of one grant layer never shows the record of another with the same id.
  struct TPorChave {
    const char* No;
    const QString& Chave;
    TTipoFeicao Tipo;
    const char* Campo;
  };
  const TPorChave porChave[] = {
      {"Estrada", Chaves_.Estrada, estrada, "Rodovia"},
      {"Estação Fluviométrica", Chaves_.EstFlu, estFlu, "Codigo"},
      {"Estação Pluviométrica", Chaves_.EstPlu, estPlu, "Codigo"},
      {"OutSuperSignificante",
       Chaves_.OutSupSignif,
       {"Out_Sup_Signif_AQEM", signif, datasSignif},
       ""},
      {"OutSubSignificante",
       Chaves_.OutSubSignif,
       {"Out_Sub_Signif_AQEM", signif, datasSignif},
       ""},
      {"OutSuperInsignificante",
       Chaves_.OutSupInsig,
       {"Out_Sup_Insignif_AQEM", insig, datasInsig},
       ""},
      {"OutSubInsignificante",
       Chaves_.OutSubInsig,
       {"Out_Sub_Insignif_AQEM", insig, datasInsig},
       ""},
      {"Outorga ANA", Chaves_.OutAna, ana, ""},
  };
  for (const TPorChave& k : porChave) {
    if (pai != QString::fromUtf8(k.No) || texto != k.Chave) continue;
    PreencheTipo(k.Tipo, QString::fromLatin1(k.Campo), k.Chave, true);
  }
}
