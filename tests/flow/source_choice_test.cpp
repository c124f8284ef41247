// A whole reduction of a generated field with each catalogue source, through
// the local service on 127.0.0.1: the source chosen in options.ini, the
// download, the read, the matching and the identification of a star pointed
// at. The Gaia-like extract carries proper motions: its 2016.0 positions
// come back to the image's positions only when propagated to the Epoch box.

#include "app/flow/reduction_controller.h"
#include "catalogue/flow/catalogue_options.h"
#include "catalogue/sources/vizier_gaia_source.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/gaia_extract.h"

#include <QHash>

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace ce::testing {
namespace {

// A star added to the Gaia extract with a hand-computed propagation: at
// 2016.0 (23.7, +22.2) degrees, pmRA 500 and pmDE -300 mas/yr; at 2000.0
// dDec = +4.8" and dRA = -8" / cos(22.2 deg) = -8.6408", that is
// (23.697599856547253, 22.201333333333334). G 14.5: too faint for the
// matching's 13th magnitude, read by the full map's 16th.
const service::GaiaStar kHandStar{"4000000000000000042", 23.7, 22.2, 500, -300, 14.5, 15.0, 14.0};

class SourceChoiceTest : public ::testing::TestWithParam<CatalogueSourceKind>, protected FlowRig {
protected:
    void SetUp() override
    {
        gaia = service::gaiaLikeCatalogue(field.catalogue, 2000.0, 7);
        std::vector<service::GaiaStar> served = gaia;
        served.push_back(kHandStar);
        folders.writeProgramFile(QStringLiteral("extract.txt"), service::extractText(field.catalogue));
        folders.writeProgramFile(QStringLiteral("gaia.txt"), service::gaiaExtractText(served));
        const QString program = folders.program.path();
        service = std::make_unique<CatalogueService>(program + QStringLiteral("/extract.txt"),
                                                     QStringList{"--gaia-extract", program + QStringLiteral("/gaia.txt")});
        ASSERT_NE(service->port(), 0);
        CatalogueOptions options;
        options.source = GetParam();
        if (GetParam() == CatalogueSourceKind::Service)
            folders.writeServer(service->baseAddress());
        else
            options.vizierAddress = service->baseAddress();
        ASSERT_TRUE(saveCatalogueOptions(folders.data.path(), options, builtinLanguage()));

        for (std::size_t i = 0; i < field.stars.size(); ++i) {
            truth.insert(field.stars[i].placed.id, &field.stars[i]);
            truth.insert(gaiaShortIdentifier(gaia[i].sourceId), &field.stars[i]);
        }

        showFieldImage(view, field.image);
        typeField(view, reductionField().geometry, QStringLiteral("demo.png"));
    }

    const demo::DemoField field = demo::generateDemoField(reductionField());
    std::vector<service::GaiaStar> gaia;
    QHash<QString, const demo::DemoStar*> truth;  // by USNO-A2.0 and by Gaia identifier
    std::unique_ptr<CatalogueService> service;
};

TEST_P(SourceChoiceTest, DownloadReadMatchAndIdentify)
{
    view.answers = {true};
    controller.wizardFinished();
    ASSERT_EQ(lines(view.status.mid(0, 2)), lines({message(9), message(8)})) << lines(view.status);
    ASSERT_EQ(view.monitor.addresses.size(), 1);
    const bool isVizier = GetParam() != CatalogueSourceKind::Service;
    EXPECT_EQ(view.monitor.addresses[0].contains(QStringLiteral("/viz-bin/asu-tsv?")), isVizier);

    for (const demo::DemoStar& s : referenceStars(field)) {
        st.clickX = std::int16_t(std::lround(s.placed.xPx) + 1);
        st.clickY = std::int16_t(std::lround(s.placed.yPx) + 1);
        controller.doselect();
    }
    ASSERT_EQ(view.questions.size(), 1u) << lines(view.status);
    ASSERT_TRUE(st.solutionAccepted);
    EXPECT_TRUE(view.messages.empty()) << view.messages[0].text.toStdString();

    // Every drawn star of the image sits on its true position, and pointing
    // at it names it with this source's identifier.
    const QString prefix = GetParam() == CatalogueSourceKind::VizierGaiaDr3 ? QStringLiteral("DR3 ")
                                                                             : QStringLiteral("U");
    int checked = 0;
    double worst = 0;
    for (int i = 1; i <= st.starCount; ++i) {
        const auto slot = std::size_t(i);
        EXPECT_TRUE(st.starId[slot].startsWith(prefix)) << st.starId[slot].toStdString();
        const demo::DemoStar* s = truth.value(st.starId[slot]);
        ASSERT_NE(s, nullptr) << st.starId[slot].toStdString();
        if (!s->inImage) continue;
        const Marker& m = st.markers.star[slot];
        worst = std::max(worst, std::hypot(m.left + 4 - s->placed.xPx, m.top + 4 - s->placed.yPx));
        ++checked;
        bool alone = true;  // no other marker that the pointer could reach too
        for (int j = 1; j <= st.starCount; ++j) {
            const Marker& o = st.markers.star[std::size_t(j)];
            if (j != i && o.visible && std::abs(o.left - m.left) < 8 && std::abs(o.top - m.top) < 8) alone = false;
        }
        if (!alone) continue;
        view.info.clear();
        controller.pointerMove(m.left + 1, m.top + 1);
        EXPECT_TRUE(view.info.startsWith(st.starId[slot])) << view.info.toStdString();
    }
    EXPECT_LE(worst, 1.5);
    EXPECT_GE(checked, 10);

    if (GetParam() != CatalogueSourceKind::VizierGaiaDr3) return;

    // The details name the whole source_id and say how the position was had.
    const Marker& first = st.markers.star[1];
    st.clickX = std::int16_t(first.left + 4), st.clickY = std::int16_t(first.top + 4);
    controller.doubleClick();
    ASSERT_EQ(view.details.size(), 1u);
    const service::GaiaStar* firstStar = nullptr;
    for (const service::GaiaStar& g : gaia)
        if (gaiaShortIdentifier(g.sourceId) == st.starId[1]) firstStar = &g;
    ASSERT_NE(firstStar, nullptr);
    EXPECT_TRUE(view.details[0].second.contains(QStringLiteral("   Gaia DR3: ") + firstStar->sourceId + "\r\n"))
        << view.details[0].second.toStdString();
    // The line saying the 2016.0 position was carried to the typed epoch.
    const QString carried = controller.lang().text(QStringLiteral("report.gaia_epoch")).arg(QStringLiteral("2000.0"));
    EXPECT_TRUE(view.details[0].second.contains(QStringLiteral("   ") + carried + "\r\n"))
        << view.details[0].second.toStdString();

    // The propagation matters here: some read stars sit well away from their
    // 2016.0 positions (1e-5 degree is the page's rounding).
    QHash<QString, const service::GaiaStar*> byId;
    for (const service::GaiaStar& g : gaia) byId.insert(gaiaShortIdentifier(g.sourceId), &g);
    int moved = 0;
    for (int i = 1; i <= st.starCount; ++i) {
        const service::GaiaStar* g = byId.value(st.starId[std::size_t(i)]);
        if (g && std::abs(st.starV[std::size_t(i)] / st.corrDec - g->decDeg) > 1e-4) ++moved;
    }
    EXPECT_GE(moved, 5);

    // The full map reads the hand-computed star at its 2000.0 position.
    controller.FullMap();
    int hand = 0;
    for (int i = 1; i <= st.starTotal; ++i)
        if (st.starId[std::size_t(i)] == gaiaShortIdentifier(kHandStar.sourceId)) hand = i;
    ASSERT_NE(hand, 0);
    EXPECT_EQ(st.starU[std::size_t(hand)], std::nearbyint(23.69760 * st.corrAsd));
    EXPECT_EQ(st.starV[std::size_t(hand)], std::nearbyint(22.20133 * st.corrDec));
}

INSTANTIATE_TEST_SUITE_P(EachSource, SourceChoiceTest,
                         ::testing::Values(CatalogueSourceKind::Service, CatalogueSourceKind::VizierUsnoA2,
                                           CatalogueSourceKind::VizierGaiaDr3));

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
