#include "lookup/lookup_ui.h"

#include "core/file_exists.h"
#include "export/export_ui.h"
#include "export/frm_display.h"
#include "lookup/dictionary.h"
#include "reading/companion_texts.h"
#include "reading/companions.h"
#include "reading/reading_view.h"
#include "reading/web_pane.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/prompter.h"
#include "shell/shell.h"
#include "core/settings_store.h"
#include "ui/panel_support.h"

#include <QAbstractButton>
#include <QLineEdit>

using ui::qs;

namespace {

// Where the choices are kept: the program's own entries, beside the
// window's settings.
const QString kApplication = QStringLiteral("Zerafin");
const QString kSection = QStringLiteral("Dictionary");
const QString kSiteKey = QStringLiteral("Site");
const QString kOfflineKey = QStringLiteral("Offline");

}  // namespace

LookupUi::LookupUi(Shell& main, ExportUi& exportUi) : QObject(&main.window()), main_(main), export_(exportUi)
{
    setObjectName(QStringLiteral("LookupUi"));
}

void LookupUi::install()
{
    main_.setCommand(cmd::mnuDict_Click, [this] { mnuDict_Click(); });
    main_.setCommand(cmd::mnuConcordVerses_Click, [this] { mnuConcordVerses_Click(); });
    main_.setCommand(cmd::mnuConcordST_Click, [this] { mnuConcordST_Click(); });
    main_.setCommand(cmd::mnuConcordFN_Click, [this] { mnuConcordFN_Click(); });

    // The settings panel's dictionary choices, when the window has them.
    if (auto* offline = main_.window().findChild<QAbstractButton*>(QStringLiteral("chkOfflineDict"))) {
        offline->setChecked(offlineDictionary());
        connect(offline, &QAbstractButton::toggled, this, [this](bool on) { setOfflineDictionary(on); });
    }
    if (auto* site = main_.window().findChild<QLineEdit*>(QStringLiteral("txtDictSite"))) {
        site->setPlaceholderText(QString::fromLatin1(lookup::kDefaultDictionarySite));
        site->setText(main_.settings().get(kApplication, kSection, kSiteKey));
        connect(site, &QLineEdit::editingFinished, this, [this, site] { setDictionarySite(site->text().trimmed()); });
    }
}

QString LookupUi::dictionarySite() const
{
    const QString site = main_.settings().get(kApplication, kSection, kSiteKey).trimmed();
    return site.isEmpty() ? QString::fromLatin1(lookup::kDefaultDictionarySite) : site;
}

bool LookupUi::offlineDictionary() const
{
    return main_.settings().get(kApplication, kSection, kOfflineKey) == QLatin1String("1");
}

void LookupUi::setDictionarySite(const QString& site) { main_.settings().set(kApplication, kSection, kSiteKey, site); }

void LookupUi::setOfflineDictionary(bool on)
{
    main_.settings().set(kApplication, kSection, kOfflineKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

// ---------------------------------------------------------------- the dictionary

frmDisplay* LookupUi::mnuDict_Click()
{
    const QString selection = qs(main_.reading().text().selText());
    const lookup::SelectedWord w = lookup::selectedWord(selection.toStdString());
    if (!w.single) {
        main_.prompter().information(qs(lookup::kOneWordOnly));
        return nullptr;
    }
    frmDisplay* window = export_.newDisplay();
    window->setCaption(QStringLiteral("Dictionary meaning of ") + qs(w.word));
    const std::string word = w.word;
    auto offline = [window, word] { window->showHtml(qs(lookup::definitionHtml(lookup::define(word)))); };
    if (offlineDictionary()) {
        offline();
    } else {
        // Offline machines and readers: the senses from the installed
        // dictionary take the place of a page that cannot be loaded.
        connect(window->wb(), &WebPane::loadFailed, window, [offline] { offline(); }, Qt::SingleShotConnection);
        window->showAddress(qs(lookup::dictionaryAddress(dictionarySite().toStdString(), word)));
    }
    window->showAndRaise();
    return window;
}

// ---------------------------------------------------------------- the concordances

void LookupUi::mnuConcordVerses_Click() { OpenConcord(QStringLiteral("VConcordance")); }
void LookupUi::mnuConcordST_Click() { OpenConcord(QStringLiteral("SConcordance")); }
void LookupUi::mnuConcordFN_Click() { OpenConcord(QStringLiteral("FConcordance")); }

void LookupUi::OpenConcord(const QString& name)
{
    MainState& s = main_.state();
    const std::string language = CompanionTexts::language(main_);
    const auto path = reading::concordancePath(s.programFolder, language, name.toStdString());
    if (!FileExists(path.string())) {
        main_.prompter().information(qs(lookup::kNoConcordance));
        return;
    }
    if (!reading::checkConcordance(s.connection, s.programFolder, language, name.toStdString()).passes()) {
        main_.prompter().information(qs(reading::kModifiedOrCorrupted));
        return;
    }
    main_.reading().showDocument(QString::fromStdString(path.string()));
    main_.reading().wb()->setFocus(Qt::OtherFocusReason);
}
