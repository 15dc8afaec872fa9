#pragma once
// Empties a layer: deletes every record and writes the layer's files.

class TCamada;

// Throws ETorveda when the layer cannot be written; the files then keep their old content.
void ApagaRegistros(TCamada& camada);
