#pragma once
// The database file: its seven tables, the delivered rows, the access check
// that stands for the database password, and the checks made on opening.
#include <QString>
#include <QStringList>

class Connection;

namespace Schema {

// The file's fixed place: Tessadb/vindero.mdb under the user's home folder.
QString defaultPath();

// The columns of 学员基本信息 in table order.
const QStringList &studentColumns();
// Names delivered into 显示字段 (shown) and 可选字段 (the rest).
const QStringList &deliveredShownFields();
QStringList deliveredChoosableFields();

// Creates the delivered file at `path` (the folder is made if needed). Fails
// with EDatabaseError, naming the file and the reason, if the file already
// exists or cannot be written; nothing existing is ever overwritten.
void createDatabase(const QString &path);

// Creates the file if there is none at `path`; returns true if it did.
bool ensureDatabase(const QString &path);

// Opens an existing file and checks it: a database, ours (the password
// check), writable, with every table and column the program uses. Throws
// EDatabaseError naming the file and the reason.
void openAndCheck(Connection &c, const QString &path);

// The documented database password; kept in the file only as a salted hash.
inline constexpr const char *kPassword = "705918";

} // namespace Schema
