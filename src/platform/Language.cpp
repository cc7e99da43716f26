// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <memory>

namespace moka {

namespace {

// The translations are named after the application, in lower case: <name>_en.qm.
QString prefix() { return QCoreApplication::applicationName().toLower() + QLatin1Char('_'); }

const QString kFolder = QStringLiteral(":/i18n");
const QString kJapanese = QStringLiteral("ja");

// The one translation in use; none while the texts are Japanese.
std::unique_ptr<QTranslator> &current()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QStringList Language::available()
{
    QStringList codes{kJapanese};
    const QStringList files = QDir(kFolder).entryList({prefix() + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString &file : files) {
        const QString code = file.mid(prefix().size(), file.size() - prefix().size() - 3);
        if (!code.isEmpty() && !codes.contains(code))
            codes << code;
    }
    return codes;
}

bool Language::use(const QString &code)
{
    std::unique_ptr<QTranslator> &translator = current();
    if (code.isEmpty() || code == kJapanese) {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
        translator.reset();
        return true;
    }
    auto next = std::make_unique<QTranslator>();
    if (!QCoreApplication::instance() || !next->load(prefix() + code, kFolder))
        return false;
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::move(next);
    QCoreApplication::installTranslator(translator.get());
    return true;
}

} // namespace moka
