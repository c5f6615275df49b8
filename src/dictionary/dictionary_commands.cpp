// The dictionary's commands and its file at start-up and exit.
#include "app/main_window.h"

#include <QFileInfo>

namespace orv {
namespace {
const QString kDictionaryFile = QStringLiteral("Dicogrd.dat");
}

void TMainForm::ChargeDictionnaire() {
    ListeMots.clear();
    DicoIllisible = false;
    try {
        ListeMots.load(kDictionaryFile, kDictionaryFile);
    } catch (...) {
        // Only a missing file may be created at exit; one that exists but
        // could not be read must never be replaced by the empty list.
        DicoIllisible = QFileInfo::exists(kDictionaryFile);
        throw;
    }
}

void TMainForm::EcritDictionnaire() {
    if (DicoIllisible)
        return;
    ListeMots.save(kDictionaryFile, kDictionaryFile);
    MotsModifies = false;
}

void TMainForm::Verifie() {
    QList<QByteArray> kept;
    kept.reserve(ListeMots.count());
    for (const QByteArray& e : ListeMots.entries())
        if (e.size() >= 2 && e.size() <= 19)
            kept.append(e);
    if (kept.size() != ListeMots.count())
        ListeMots.assign(std::move(kept));
}

void TMainForm::Tri() {}
void TMainForm::Ajoutermot1Click() {}
void TMainForm::Supprimermot1Click() {}
void TMainForm::Importerfichier1Click() {}

} // namespace orv
