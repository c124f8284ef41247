// demo-field-generator: writes a demonstration field (image, catalogue
// extracts for the local catalogue service — USNO-A2.0 and Gaia-like —, true
// star positions, and a project that opens it in the program).

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/gaia_extract.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/catalogue_service/usnoa_query.h"
#include "tools/demo_field/click_sets.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_fits.h"
#include "tools/demo_field/demo_project.h"
#include "tools/demo_field/field_presets.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

bool saveBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

std::optional<double> number(const QCommandLineParser& parser, const QString& name)
{
    bool ok = false;
    const double value = parser.value(name).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        std::fprintf(stderr, "Valeur invalide pour --%s : %s\n", qPrintable(name), qPrintable(parser.value(name)));
        return std::nullopt;
    }
    return value;
}

// The options that change a preset's value only when they are given.
struct OverrideReader {
    const QCommandLineParser& parser;
    bool ok = true;

    void read(const char* name, double& target)
    {
        const QString key = QString::fromLatin1(name);
        if (!parser.isSet(key))
            return;
        if (const auto value = number(parser, key))
            target = *value;
        else
            ok = false;
    }
    void read(const char* name, int& target)
    {
        const QString key = QString::fromLatin1(name);
        if (!parser.isSet(key))
            return;
        bool valid = false;
        const int value = parser.value(key).toInt(&valid);
        if (valid && value >= 0) {
            target = value;
        } else {
            std::fprintf(stderr, "Valeur invalide pour --%s : %s\n", name, qPrintable(parser.value(key)));
            ok = false;
        }
    }
};

QByteArray clickSetsText(const ce::demo::DemoField& field, const std::vector<ce::demo::FiveStarClicks>& sets)
{
    QByteArray text = "# set id x_click y_click (five stars per set)\n";
    for (std::size_t k = 0; k < sets.size(); ++k)
        for (const ce::demo::ClickedStar& c : sets[k])
            text += QString::asprintf("%zu %s %d %d\n", k + 1, qPrintable(field.stars[c.starIndex].placed.id),
                                      c.clickPx.x(), c.clickPx.y())
                        .toLatin1();
    return text;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Champ de démonstration : image, extrait du catalogue, projet."));
    parser.addHelpOption();
    const auto option = [&parser](const char* name, const char* help, const char* defaultValue = nullptr) {
        if (defaultValue) {
            parser.addOption({QString::fromLatin1(name), QString::fromUtf8(help), QStringLiteral("valeur"),
                              QString::fromLatin1(defaultValue)});
        } else {
            parser.addOption({QString::fromLatin1(name), QString::fromUtf8(help)});
        }
    };
    option("out-dir", "dossier de sortie", ".");
    option("name", "nom de l'image (sans .png)", "demo");
    option("seed", "graine du tirage", "1");
    option("ra", "centre, ascension droite J2000 h:m:s", "1:34:50");
    option("dec", "centre, déclinaison J2000 ±d:m:s", "+22:11:01");
    option("pixels-per-degree", "échelle au centre", "2250");
    option("rotation-deg", "rotation du champ, sens horaire à l'écran", "0");
    option("mirror", "image miroir (est à droite)");
    option("width", "largeur en pixels", "1100");
    option("height", "hauteur en pixels", "800");
    option("stars", "nombre d'étoiles du catalogue", "2500");
    option("mag-min", "magnitude rouge la plus brillante", "8");
    option("mag-max", "magnitude rouge la plus faible", "18");
    option("radius-arcmin", "rayon du catalogue", "30");
    option("psf", "profil des étoiles : moffat ou gaussian", "moffat");
    option("fwhm", "largeur à mi-hauteur en pixels", "3");
    option("rgb", "image en couleurs (sinon niveaux de gris)");
    option("query-radius", "rayon de la requête du projet, arcmin", "20");
    option("query-mag", "magnitude limite de la requête du projet", "13");
    parser.addOption({QStringLiteral("project-file"), QStringLiteral("fichier projet à écrire"),
                      QStringLiteral("fichier")});
    option("image-url", "chemin de l'image dans le projet", "");
    option("answer", "écrire aussi la réponse du service pour la requête du projet");
    // Ready-made fields: the options given as well override the preset's values.
    option("preset", "champ tout prêt : demo, plate (plaque 3000 x 3000) ou wide (grand champ en couleurs)", "");
    const auto valueOption = [&parser](const char* name, const char* help) {
        parser.addOption({QString::fromLatin1(name), QString::fromUtf8(help), QStringLiteral("valeur")});
    };
    valueOption("top-growth", "élargissement des sommets saturés, pixels par magnitude (0 : aucun)");
    valueOption("max-top", "diamètre maximal des sommets saturés, pixels");
    valueOption("sky", "niveau du fond de ciel");
    valueOption("sky-gradient-x", "gradient du fond, niveaux par pixel vers la droite");
    valueOption("sky-gradient-y", "gradient du fond, niveaux par pixel vers le bas");
    valueOption("grain", "grain photographique, écart type en niveaux");
    valueOption("grain-clump", "rayon des amas de grain, pixels");
    valueOption("halo", "anneaux autour des étoiles saturées, niveau au plus large");
    valueOption("hot-pixels", "nombre de pixels chauds");
    valueOption("scratches", "nombre de rayures");
    valueOption("uncatalogued", "part des étoiles de l'image absentes du catalogue (0 à 1)");
    valueOption("undrawn", "part des étoiles du catalogue absentes de l'image (0 à 1)");
    option("flaws", "halos, pixels chauds, une rayure et 5 % d'étoiles manquantes de chaque côté");
    option("empty-sky", "ciel sans étoiles (le catalogue reste)");
    option("clicks", "écrire aussi clicks.txt : ce nombre de jeux de cinq clics décentrés", "0");
    option("click-seed", "graine des jeux de clics", "1");
    option("fits", "écrire aussi le champ en FITS 16 bits avec son en-tête (<nom>.fits)");
    option("date-obs", "date de la prise de vue dans l'en-tête FITS (UTC)", "2024-10-05T22:14:00");
    option("pixel-micron", "taille des pixels dans l'en-tête FITS, micromètres", "9");
    parser.process(app);

    const QDir outDir(parser.value(QStringLiteral("out-dir")));
    if (!outDir.exists() && !QDir().mkpath(outDir.path())) {
        std::fprintf(stderr, "Dossier impossible à créer : %s\n", qPrintable(outDir.path()));
        return 1;
    }
    const auto ra = ce::service::parseRightAscension(parser.value(QStringLiteral("ra")));
    const auto dec = ce::service::parseDeclination(parser.value(QStringLiteral("dec")));
    if (!ra || !dec) {
        std::fprintf(stderr, "%s\n", qPrintable(!ra ? ra.error() : dec.error()));
        return 1;
    }
    const auto ppd = number(parser, QStringLiteral("pixels-per-degree"));
    const auto rotation = number(parser, QStringLiteral("rotation-deg"));
    const auto magMin = number(parser, QStringLiteral("mag-min"));
    const auto magMax = number(parser, QStringLiteral("mag-max"));
    const auto radius = number(parser, QStringLiteral("radius-arcmin"));
    const auto fwhm = number(parser, QStringLiteral("fwhm"));
    const auto queryRadius = number(parser, QStringLiteral("query-radius"));
    const auto queryMag = number(parser, QStringLiteral("query-mag"));
    bool seedOk = false, widthOk = false, heightOk = false, starsOk = false;
    const qulonglong seed = parser.value(QStringLiteral("seed")).toULongLong(&seedOk);
    const int width = parser.value(QStringLiteral("width")).toInt(&widthOk);
    const int height = parser.value(QStringLiteral("height")).toInt(&heightOk);
    const int stars = parser.value(QStringLiteral("stars")).toInt(&starsOk);
    const QString psf = parser.value(QStringLiteral("psf"));
    if (!ppd || !rotation || !magMin || !magMax || !radius || !fwhm || !queryRadius || !queryMag || !seedOk ||
        !widthOk || !heightOk || !starsOk || width < 16 || height < 16 || width > 20000 || height > 20000 ||
        stars < 0 || *ppd <= 0 || *fwhm <= 0 || *magMax < *magMin || *radius <= 0 ||
        (psf != u"moffat" && psf != u"gaussian")) {
        std::fprintf(stderr, "Paramètres invalides (voir --help)\n");
        return 1;
    }

    const QString presetName = parser.value(QStringLiteral("preset"));
    std::optional<ce::demo::DemoFieldPreset> preset;
    if (presetName == u"demo")
        preset = ce::demo::demonstrationPreset();
    else if (presetName == u"plate")
        preset = ce::demo::platePreset(seed);
    else if (presetName == u"wide")
        preset = ce::demo::wideColourPreset(seed);
    else if (!presetName.isEmpty()) {
        std::fprintf(stderr, "Préréglage inconnu : %s (demo, plate ou wide)\n", qPrintable(presetName));
        return 1;
    }
    // Without a preset every option counts, given or not (its default).
    const auto given = [&](const char* name) { return !preset || parser.isSet(QString::fromLatin1(name)); };

    ce::demo::DemoFieldParameters p = preset ? preset->field : ce::demo::DemoFieldParameters{};
    if (given("seed")) p.seed = seed;
    if (given("ra")) p.geometry.centreRaDeg = *ra;
    if (given("dec")) p.geometry.centreDecDeg = *dec;
    if (given("pixels-per-degree")) p.geometry.pixelsPerDegree = *ppd;
    if (given("rotation-deg")) p.geometry.rotationDeg = *rotation;
    if (given("mirror")) p.geometry.mirror = parser.isSet(QStringLiteral("mirror"));
    if (given("width")) p.geometry.widthPx = width;
    if (given("height")) p.geometry.heightPx = height;
    if (given("radius-arcmin")) p.catalogueRadiusArcmin = *radius;
    if (given("stars")) p.starCount = stars;
    if (given("mag-min")) p.magMin = *magMin;
    if (given("mag-max")) p.magMax = *magMax;
    if (given("psf"))
        p.render.pointSpread = psf == u"gaussian" ? ce::demo::PointSpread::Gaussian : ce::demo::PointSpread::Moffat;
    if (given("fwhm")) p.render.fwhmPx = *fwhm;
    if (given("rgb")) p.render.rgb = parser.isSet(QStringLiteral("rgb"));
    if (parser.isSet(QStringLiteral("flaws")))
        ce::demo::addRealFlaws(p);
    if (parser.isSet(QStringLiteral("empty-sky")))
        p.drawStars = false;
    OverrideReader overrides{parser};
    overrides.read("top-growth", p.render.topGrowthPxPerMag);
    overrides.read("max-top", p.render.maxTopDiameterPx);
    overrides.read("sky", p.render.skyLevel);
    overrides.read("sky-gradient-x", p.render.skyGradientXPerPx);
    overrides.read("sky-gradient-y", p.render.skyGradientYPerPx);
    overrides.read("grain", p.render.grainSigma);
    overrides.read("grain-clump", p.render.grainCorrelationPx);
    overrides.read("halo", p.render.haloPeak);
    overrides.read("hot-pixels", p.render.hotPixelCount);
    overrides.read("scratches", p.render.scratchCount);
    overrides.read("uncatalogued", p.uncataloguedFraction);
    overrides.read("undrawn", p.undrawnFraction);
    bool clicksOk = false, clickSeedOk = false;
    const int clickSets = parser.value(QStringLiteral("clicks")).toInt(&clicksOk);
    const qulonglong clickSeed = parser.value(QStringLiteral("click-seed")).toULongLong(&clickSeedOk);
    if (!overrides.ok || !clicksOk || !clickSeedOk || clickSets < 0 || p.magMax < p.magMin ||
        p.render.maxTopDiameterPx <= 0 || p.render.grainSigma < 0 || p.uncataloguedFraction < 0 ||
        p.uncataloguedFraction > 1 || p.undrawnFraction < 0 || p.undrawnFraction > 1) {
        std::fprintf(stderr, "Paramètres invalides (voir --help)\n");
        return 1;
    }
    const double fieldQueryRadius = given("query-radius") ? *queryRadius : preset->queryRadiusArcmin;
    const double fieldQueryMag = given("query-mag") ? *queryMag : preset->queryMagFaint;
    const ce::demo::DemoField field = ce::demo::generateDemoField(p);

    const QString name = parser.value(QStringLiteral("name"));
    const QString imagePath = outDir.filePath(name + QStringLiteral(".png"));
    QImageWriter writer(imagePath, "png");
    writer.setCompression(9);
    if (!writer.write(field.image)) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(imagePath), qPrintable(writer.errorString()));
        return 1;
    }
    if (parser.isSet(QStringLiteral("fits"))) {
        // The same stars seen by a 16-bit camera.
        ce::demo::DemoFieldParameters wide = p;
        wide.render = ce::demo::sixteenBitParameters(p.render);
        const auto pixelMicron = number(parser, QStringLiteral("pixel-micron"));
        if (!pixelMicron || *pixelMicron <= 0)
            return 1;
        const ce::demo::DemoFitsHeader header{*ra, *dec, parser.value(QStringLiteral("date-obs")),
                                              ce::demo::focalLengthMm(*ppd, *pixelMicron), *pixelMicron};
        const QString fitsPath = outDir.filePath(name + QStringLiteral(".fits"));
        const ce::Status written = ce::demo::writeDemoFits(fitsPath, ce::demo::generateDemoField(wide).image, header);
        if (!written) {
            std::fprintf(stderr, "%s\n", qPrintable(written.error()));
            return 1;
        }
    }
    if (!saveBytes(outDir.filePath(QStringLiteral("extract.txt")), ce::service::extractText(field.catalogue)) ||
        !saveBytes(outDir.filePath(QStringLiteral("truth.txt")), ce::demo::truthText(field)))
        return 1;
    // The same stars as Gaia DR3 would give them: proper motions, and 2016.0
    // positions that come back to the image's positions at the project's
    // epoch 2000.0.
    const auto gaia = ce::service::gaiaLikeCatalogue(field.catalogue, 2000.0, p.seed);
    if (!saveBytes(outDir.filePath(QStringLiteral("extract-gaia.txt")), ce::service::gaiaExtractText(gaia)))
        return 1;
    if ((p.uncataloguedFraction > 0 || p.undrawnFraction > 0) &&
        !saveBytes(outDir.filePath(QStringLiteral("mismatches.txt")), ce::demo::mismatchText(field)))
        return 1;
    if (clickSets > 0 &&
        !saveBytes(outDir.filePath(QStringLiteral("clicks.txt")),
                   clickSetsText(field, ce::demo::offCentreClickSets(field, clickSets, clickSeed))))
        return 1;

    // The program's own first query for this field.
    ce::service::UsnoaQuery query;
    query.raDeg = p.geometry.centreRaDeg;
    query.decDeg = p.geometry.centreDecDeg;
    query.radiusArcmin = fieldQueryRadius;
    query.magFaint = fieldQueryMag;
    query.maxCount = 5000;
    query.epochText = QStringLiteral("2000.0");
    const auto selected = ce::service::selectStars(field.catalogue, query);
    if (parser.isSet(QStringLiteral("answer")) &&
        !saveBytes(outDir.filePath(QStringLiteral("answer.html")), ce::demo::answerText(field, query)))
        return 1;

    const ce::demo::LinearScaleFactors factors =
        ce::demo::linearScaleFactors(p.geometry.centreDecDeg, p.geometry.pixelsPerDegree);
    if (parser.isSet(QStringLiteral("project-file"))) {
        ce::demo::DemoProject project;
        project.centreRaDeg = p.geometry.centreRaDeg;
        project.centreDecDeg = p.geometry.centreDecDeg;
        project.corrAsd = factors.corrAsd;
        project.corrDec = factors.corrDec;
        project.radiusArcmin = QString::number(fieldQueryRadius);
        project.magnitude = QString::number(fieldQueryMag);
        project.imagePath = parser.value(QStringLiteral("image-url"));
        if (project.imagePath.isEmpty())
            project.imagePath = name + QStringLiteral(".png");
        if (!saveBytes(parser.value(QStringLiteral("project-file")), ce::demo::projectText(project)))
            return 1;
    }

    int inImage = 0;
    for (const auto& s : field.stars)
        inImage += s.inImage ? 1 : 0;
    std::printf("%zu étoiles dans le catalogue, %d sur l'image, %zu pour la requête (%g', mag %g)\n",
                field.catalogue.size(), inImage, selected.size(), fieldQueryRadius, fieldQueryMag);
    std::printf("Corr Asd %s, Corr Dec %s\n", qPrintable(ce::demo::scaleFactorText(factors.corrAsd)),
                qPrintable(ce::demo::scaleFactorText(factors.corrDec)));
    return 0;
}
