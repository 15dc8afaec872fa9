#pragma once
// Answering the rows of a request table on one loaded basin with several threads at once. The
// answers reach the caller in row order, in its own thread, each as soon as it and every row
// before it are done, so that the output is the same whatever the number of threads.

#include <QStringList>
#include <functional>
#include <vector>

class TLeitorPedidos;
class TRedeBalanco;
struct TBacia;
struct TRespostaLote;

// The threads of a batch when none are asked for: one per core.
int TarefasPadraoLote();

// Reads and answers every row (AnalisaPedido, or the reader's answer to a row it cannot read)
// with `tarefas` threads; 1 works in the calling thread on `bacia` as it is. Each thread places
// its requests on a section of its own, reset for every request, and each thread started here
// reads the reference database through a connection of its own; the grids, layers and network are
// shared for reading. At most a few answers per thread wait for their turn. An exception thrown by
// `entrega` stops the threads and goes on to the caller.
void RespondeLote(const TBacia& bacia, const TLeitorPedidos& leitor,
                  const std::vector<QStringList>& linhas, const TRedeBalanco* rede, int tarefas,
                  const std::function<void(const TRespostaLote&)>& entrega);
