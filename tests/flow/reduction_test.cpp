// A whole reduction on a generated field: the assistant's finish downloads the catalogue
// from the local service on 127.0.0.1, five clicks near true stars mark them, the
// calculation starts by itself, the one candidate is accepted and every catalogue marker
// lands on its star; then "4-Full map". The truth is the generator's tangent-plane
// projection; the program knows only the catalogue, the image and the scale factors.
// The assistant's one-click way reaches the same solution through "5-Auto".

#include "app/flow/reduction_controller.h"
#include "catalogue/flow/catalogue_options.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/catalogue_service/catalogue_extract.h"

#include <QHash>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace ce::testing {
namespace {

class ReductionTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        folders.writeProgramFile(QStringLiteral("extract.txt"), service::extractText(field.catalogue));
        service = std::make_unique<CatalogueService>(folders.program.path() + QStringLiteral("/extract.txt"));
        ASSERT_NE(service->port(), 0);
        folders.writeServer(service->baseAddress());

        showFieldImage(view, field.image);
        typeField(view, reductionField().geometry, QStringLiteral("demo.png"));
    }

    // The largest distance between a drawn marker's centre and its star's
    // true position over markers 1..n of stars on the image; `checked` gets
    // how many were compared.
    double worstMarkerError(int n, int& checked, double* rms = nullptr) const
    {
        QHash<QString, const demo::DemoStar*> truth;
        for (const demo::DemoStar& s : field.stars) truth.insert(s.placed.id, &s);
        double worst = 0, sumSquares = 0;
        checked = 0;
        for (int i = 1; i <= n; ++i) {
            const auto slot = std::size_t(i);
            const demo::DemoStar* s = truth.value(st.starId[slot]);
            if (!s || !s->inImage) continue;
            const Marker& m = st.markers.star[slot];
            EXPECT_TRUE(m.visible) << st.starId[slot].toStdString();
            const double error = std::hypot(m.left + 4 - s->placed.xPx, m.top + 4 - s->placed.yPx);
            worst = std::max(worst, error);
            sumSquares += error * error;
            ++checked;
        }
        if (rms) *rms = checked ? std::sqrt(sumSquares / checked) : INFINITY;
        return worst;
    }

    const demo::DemoField field = demo::generateDemoField(reductionField());
    std::unique_ptr<CatalogueService> service;
};

TEST_F(ReductionTest, FromTheAssistantToIdentifiedStarsThenTheFullMap)
{
    // Before any accepted solution the full map only suggests.
    controller.FullMap();
    EXPECT_TRUE(view.suggestionText == QStringLiteral("suggestion 13") && view.status.isEmpty());

    view.answers = {true};
    controller.wizardFinished();
    ASSERT_EQ(lines(view.status.mid(0, 2)), lines({message(9), message(8)}));
    ASSERT_EQ(st.mode, QStringLiteral("select"));
    const std::vector<demo::DemoStar> refs = referenceStars(field);
    ASSERT_EQ(refs.size(), 5u);
    for (const demo::DemoStar& s : refs) {  // a click one pixel right of and below the star, as a hand would place it
        st.clickX = std::int16_t(std::lround(s.placed.xPx) + 1);
        st.clickY = std::int16_t(std::lround(s.placed.yPx) + 1);
        controller.doselect();
    }

    EXPECT_EQ(st.WizardStatus, 0);
    ASSERT_EQ(view.questions.size(), 1u) << lines(view.status);
    EXPECT_EQ(view.questions[0].text, message(2) + QStringLiteral(" (1/1)"));
    ASSERT_TRUE(st.solutionAccepted);
    EXPECT_TRUE(st.mode == QStringLiteral("coor") && st.mapStatus == QStringLiteral("done"));
    EXPECT_TRUE(view.messages.empty()) << view.messages[0].text.toStdString();
    // The refined solution (the field is a tangent-plane projection, which
    // the three-star linear solution only approximates) puts the markers
    // within 0.3 px rms of the stars, and the journal says on how many.
    ASSERT_TRUE(st.refined.has_value()) << lines(view.status);
    EXPECT_TRUE(view.status.filter(QStringLiteral("message 23 ")).size() == 1) << lines(view.status);
    int checked = 0;
    double rms = 0;
    EXPECT_LE(worstMarkerError(st.starCount, checked, &rms), 1.0);
    EXPECT_LE(rms, 0.3) << lines(view.status);
    EXPECT_GE(checked, 10);
    // The cross sits on the typed centre, the middle of the image.
    EXPECT_NEAR(st.markers.centre.x, (view.width - 1) / 2.0, 1.5);
    EXPECT_NEAR(st.markers.centre.y, (view.height - 1) / 2.0, 1.5);

    const int matched = st.starCount;

    controller.FullMap();

    EXPECT_EQ(view.text(QStringLiteral("txt_mag")), QStringLiteral("13"));
    ASSERT_EQ(view.monitor.addresses.size(), 2);
    EXPECT_TRUE(view.monitor.addresses[1].contains(QStringLiteral("&magfaint=16.&")));
    EXPECT_EQ(lines(view.status.mid(0, 2)), lines({message(11) + QStringLiteral("done"), message(10)}));
    EXPECT_GT(st.starTotal, matched);
    EXPECT_LE(worstMarkerError(st.starTotal, checked), 1.5);
    EXPECT_GT(checked, matched);

    // With the service gone the same full map comes from the cache.
    const int drawn = st.starTotal;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    folders.writeServer(QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()));
    probe.close();
    controller.FullMap();
    EXPECT_EQ(view.monitor.addresses.size(), 2);
    EXPECT_EQ(st.starTotal, drawn);
    EXPECT_EQ(view.status.first(), message(11) + QStringLiteral("done"));

    // Without the cache, a download that fails still gives txt_mag back,
    // keeps data.txt and draws nothing.
    const QByteArray kept = folders.catalogueBytes();
    CatalogueOptions noCache;
    noCache.cacheMaxAgeDays = 0;
    ASSERT_TRUE(saveCatalogueOptions(folders.data.path(), noCache, builtinLanguage()));
    const qsizetype statusLines = view.status.size();
    controller.FullMap();
    EXPECT_EQ(view.text(QStringLiteral("txt_mag")), QStringLiteral("13"));
    EXPECT_EQ(view.status.size(), statusLines + 2);  // message 8, the reason
    EXPECT_TRUE(view.status.first().contains(QStringLiteral("net.refused")));
    EXPECT_EQ(folders.catalogueBytes(), kept);
}

TEST_F(ReductionTest, FromTheAssistantTheOneClickWay)
{
    // The assistant's automatic choice: the download, then "5-Auto" with no
    // click, ending on the question about the candidate; "Oui" accepts it.
    double rmsAtQuestion = INFINITY;
    view.decide = [&](const QString&) {
        int checked = 0;
        worstMarkerError(st.starCount, checked, &rmsAtQuestion);
        return checked >= 5;
    };
    st.WizardStatus = wizardStates::automatic;
    controller.wizardFinished();

    EXPECT_EQ(view.monitor.addresses.size(), 1);
    ASSERT_TRUE(view.status.contains(message(9))) << lines(view.status);
    ASSERT_EQ(view.questions.size(), 1u) << lines(view.status);
    EXPECT_EQ(view.questions[0].text, message(2) + QStringLiteral(" (1/1)"));
    EXPECT_LE(rmsAtQuestion, 1.5) << "the question must be about the right solution";
    EXPECT_FALSE(view.progress.isEmpty());
    ASSERT_TRUE(st.solutionAccepted) << lines(view.status);
    EXPECT_TRUE(st.mode == QStringLiteral("coor") && st.markCount == 5);
    EXPECT_TRUE(st.refined.has_value()) << lines(view.status);
    EXPECT_EQ(st.WizardStatus, wizardStates::none);
    EXPECT_TRUE(view.messages.empty());
    int checked = 0;
    double rms = 0;
    EXPECT_LE(worstMarkerError(st.starCount, checked, &rms), 1.0);
    EXPECT_LE(rms, 0.3) << lines(view.status);

    // The same way with the service gone and nothing in the cache: only the
    // download's reason is shown; no search starts on a missing catalogue
    // and no selection waits for clicks that were not asked for.
    FlowRig offline;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    offline.folders.writeServer(QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()));
    probe.close();
    offline.view.setTexts(QStringLiteral("txt_ra_"), {"1", "34", "50"});
    offline.view.setTexts(QStringLiteral("txt_dec_"), {"22", "11", "1"});
    offline.st.WizardStatus = wizardStates::automatic;
    offline.controller.wizardFinished();
    EXPECT_EQ(offline.view.messages.size(), 1u) << lines(offline.view.status);
    EXPECT_TRUE(offline.view.progress.isEmpty() && offline.view.questions.empty());
    EXPECT_NE(offline.st.mode, QStringLiteral("select"));
    EXPECT_EQ(offline.st.WizardStatus, wizardStates::none);
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()

