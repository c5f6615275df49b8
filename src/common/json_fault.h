// What went wrong in a JSON text, in the words of the program, for the
// readers' refusals: "un objet n'est pas fermé par « } »".
#pragma once

#include <QJsonParseError>
#include <QString>

namespace orv {

QString jsonFault(QJsonParseError::ParseError error);

} // namespace orv
