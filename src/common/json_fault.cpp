// The faults of a JSON text in the program's words.
#include "common/json_fault.h"

namespace orv {

QString jsonFault(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::NoError:
        break;
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("un objet n'est pas fermé par « } »");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("il manque « : » après un nom");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("un tableau n'est pas fermé par « ] »");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("il manque une virgule entre deux valeurs");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("une valeur est incorrecte");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("le texte s'arrête au milieu d'un nombre");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("un nombre est incorrect");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("une séquence d'échappement est incorrecte");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("un texte n'est pas de l'UTF-8 correct");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("un texte n'est pas fermé par un guillemet");
    case QJsonParseError::MissingObject:
        return QStringLiteral("un objet était attendu");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("les objets et tableaux sont imbriqués trop profondément");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("le texte est trop long");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("du texte suit la fin des données");
    }
    return QStringLiteral("erreur inconnue");
}

} // namespace orv
