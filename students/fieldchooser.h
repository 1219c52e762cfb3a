#pragma once
// Moving column names between 可选字段 and 显示字段. Every move is posted at
// once; a name is deleted from its source only after its copy is posted.
class DataSet;

namespace FieldChooser {
// The source's current name to the end of the destination.
void moveOne(DataSet &from, DataSet &to);
// Every name, in order: all copies first, then the deletes.
void moveAll(DataSet &from, DataSet &to);
} // namespace FieldChooser
