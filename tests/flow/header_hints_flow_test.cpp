// Loading an image the user chose, then the one question about what its FITS
// header tells: listed values, No changes nothing, Yes fills the fields; no
// question for a header without hints or for an image that failed to load;
// the typed declination gives cos δ when the header has no centre.

#include "image/flow/header_hints_flow.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

namespace ce::testing {
namespace {

HeaderCard card(const char* keyword, const char* value) { return {QString::fromLatin1(keyword), QString::fromLatin1(value), {}}; }

TEST(HeaderHintsFlow, OneQuestionAndYesFillsTheFields)
{
    FlowRig rig;
    rig.view.setText(QStringLiteral("txt_url"), QStringLiteral("m31.fits"));
    rig.view.header = {card("RA", "10.684708"), card("DEC", "41.26875"), card("DATE-OBS", "2022-01-01"),
                       card("CTYPE1", "RA---TAN"), card("CTYPE2", "DEC--TAN"), card("CDELT1", "-0.0005"),
                       card("CDELT2", "0.0005")};
    rig.view.answers = {false, true};
    loadImageOfferingHints(rig.controller);
    ASSERT_EQ(rig.view.questions.size(), 1u);
    const QString question = rig.view.questions[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("image.hints.centre 0h42'44'' 41°16'8'' RA/DEC"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("image.hints.scale 1503.25 2000 CDELT"))) << question.toStdString();
    EXPECT_EQ(rig.view.text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));  // No: unchanged

    loadImageOfferingHints(rig.controller);
    const QStringList expected{"0", "42", "44.33", "41", "16", "7.5", "+", "2022", "1503.25", "2000"};
    const QStringList fields{"txt_ra_0", "txt_ra_1", "txt_ra_2", "txt_dec_0", "txt_dec_1", "txt_dec_2",
                             "txt_dec_sign_show_0", "txt_epoch", "txt_corrasd", "txt_corrdec"};
    QStringList got;
    for (const QString& f : fields) got << rig.view.text(f);
    EXPECT_EQ(lines(got), lines(expected));
}

TEST(HeaderHintsFlow, NoQuestionWithoutHintsOrImageAndTypedDeclinationForTheScale)
{
    FlowRig rig;
    rig.view.setText(QStringLiteral("txt_url"), QStringLiteral("x.fits"));
    rig.view.header = {card("OBJECT", "M 31"), card("EXPTIME", "30")};
    loadImageOfferingHints(rig.controller);
    EXPECT_TRUE(rig.view.questions.empty());

    rig.view.header = {card("FOCALLEN", "1000"), card("XPIXSZ", "9"), card("YPIXSZ", "9")};
    rig.view.imageLoadError = QStringLiteral("Fichier introuvable");
    loadImageOfferingHints(rig.controller);
    EXPECT_TRUE(rig.view.questions.empty());
    ASSERT_EQ(rig.view.messages.size(), 1u);

    // Only the optics: the declination typed in the window gives cos δ (60°: a half).
    rig.view.imageLoadError.clear();
    rig.view.setTexts(QStringLiteral("txt_dec_"), {QStringLiteral("60"), QStringLiteral("0"), QStringLiteral("0")});
    rig.view.defaultAnswer = true;
    loadImageOfferingHints(rig.controller);
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.text(QStringLiteral("txt_corrasd")), QStringLiteral("969.56"));
    EXPECT_EQ(rig.view.text(QStringLiteral("txt_corrdec")), QStringLiteral("1939.11"));
    EXPECT_EQ(rig.view.text(QStringLiteral("txt_ra_0")), QString());  // no centre given
}

}  // namespace
}  // namespace ce::testing
