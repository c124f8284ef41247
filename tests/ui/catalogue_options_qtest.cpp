// The catalogue options window, offscreen: it shows what options.ini holds,
// "OK" writes the choice (source, a mirror typed by hand, cache age) and
// "Annuler" writes nothing; "Vider le cache" empties the cache and says how
// many answers went.

#include "catalogue/cache/catalogue_cache.h"
#include "catalogue/ui/catalogue_options_window.h"

#include "tests/ui/ui_support.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace ce {

class CatalogueOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void choiceIsWrittenOnOkOnly()
    {
        testing::TempProgram program;
        testing::ScriptedDialogs dialogs;
        LanguageTable lang;
        lang.keyed[QStringLiteral("catalogue.gaia")] = QStringLiteral("Gaia DR3");
        const QString data = program.paths().dataFolder;
        CatalogueOptions stored;
        stored.source = CatalogueSourceKind::VizierUsnoA2;
        stored.cacheMaxAgeDays = 7;
        QVERIFY(saveCatalogueOptions(data, stored, ce::test::KeyEcho()).ok());

        {
            CatalogueOptionsWindow window(program.paths(), lang, dialogs);
            QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("opt_source_1"))->isChecked());
            QCOMPARE(window.findChild<QSpinBox*>(QStringLiteral("txt_cachedays"))->value(), 7);
            auto* gaia = window.findChild<QRadioButton*>(QStringLiteral("opt_source_2"));
            QCOMPARE(gaia->text(), QStringLiteral("Gaia DR3"));
            gaia->click();
            window.findChild<QComboBox*>(QStringLiteral("cbo_mirror"))->setEditText(QStringLiteral(" http://127.0.0.1:8080 "));
            window.reject();
        }
        QCOMPARE(loadCatalogueOptions(data).source, CatalogueSourceKind::VizierUsnoA2);

        CatalogueOptionsWindow window(program.paths(), lang, dialogs);
        window.findChild<QRadioButton*>(QStringLiteral("opt_source_2"))->click();
        window.findChild<QComboBox*>(QStringLiteral("cbo_mirror"))->setEditText(QStringLiteral(" http://127.0.0.1:8080 "));
        window.findChild<QSpinBox*>(QStringLiteral("txt_cachedays"))->setValue(0);
        window.accept();
        QCOMPARE(window.result(), int(QDialog::Accepted));
        const CatalogueOptions written = loadCatalogueOptions(data);
        QCOMPARE(written.source, CatalogueSourceKind::VizierGaiaDr3);
        QCOMPARE(written.vizierAddress, QStringLiteral("http://127.0.0.1:8080"));
        QCOMPARE(written.cacheMaxAgeDays, 0);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void clearCacheSaysHowManyWent()
    {
        testing::TempProgram program;
        testing::ScriptedDialogs dialogs;
        LanguageTable lang;
        lang.keyed[QStringLiteral("catalogue.cachecleared")] = QStringLiteral("vidé : %1");
        const CatalogueCache cache(program.paths().dataFile(QStringLiteral("cache")));
        QVERIFY(cache.store(CatalogueCache::keyFor("a", "b"), "x", ce::test::KeyEcho()).ok());
        QVERIFY(cache.store(CatalogueCache::keyFor("a", "c"), "y", ce::test::KeyEcho()).ok());

        CatalogueOptionsWindow window(program.paths(), lang, dialogs);
        window.findChild<QPushButton*>(QStringLiteral("cmd_clearcache"))->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("vidé : 2"));
        QVERIFY(!cache.lookup(CatalogueCache::keyFor("a", "b"), 30, QDateTime::currentDateTimeUtc()));
    }
};

}  // namespace ce

QTEST_MAIN(ce::CatalogueOptionsTest)
#include "catalogue_options_qtest.moc"
