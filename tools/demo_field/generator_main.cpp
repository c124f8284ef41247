// demo-field-generator: writes a demonstration field (image, catalogue
// extract for the local catalogue service, true star positions, and a
// project that opens it in the program).

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/catalogue_service/usnoa_query.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_fits.h"
#include "tools/demo_field/demo_project.h"

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

    ce::demo::DemoFieldParameters p;
    p.seed = seed;
    p.geometry = {*ra, *dec, *ppd, *rotation, parser.isSet(QStringLiteral("mirror")), width, height};
    p.catalogueRadiusArcmin = *radius;
    p.starCount = stars;
    p.magMin = *magMin;
    p.magMax = *magMax;
    p.render.pointSpread = psf == u"gaussian" ? ce::demo::PointSpread::Gaussian : ce::demo::PointSpread::Moffat;
    p.render.fwhmPx = *fwhm;
    p.render.rgb = parser.isSet(QStringLiteral("rgb"));
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

    // The program's own first query for this field.
    ce::service::UsnoaQuery query;
    query.raDeg = *ra;
    query.decDeg = *dec;
    query.radiusArcmin = *queryRadius;
    query.magFaint = *queryMag;
    query.maxCount = 5000;
    query.epochText = QStringLiteral("2000.0");
    const auto selected = ce::service::selectStars(field.catalogue, query);
    if (parser.isSet(QStringLiteral("answer")) &&
        !saveBytes(outDir.filePath(QStringLiteral("answer.html")), ce::demo::answerText(field, query)))
        return 1;

    const ce::demo::LinearScaleFactors factors = ce::demo::linearScaleFactors(*dec, *ppd);
    if (parser.isSet(QStringLiteral("project-file"))) {
        ce::demo::DemoProject project;
        project.centreRaDeg = *ra;
        project.centreDecDeg = *dec;
        project.corrAsd = factors.corrAsd;
        project.corrDec = factors.corrDec;
        project.radiusArcmin = QString::number(*queryRadius);
        project.magnitude = QString::number(*queryMag);
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
                field.catalogue.size(), inImage, selected.size(), *queryRadius, *queryMag);
    std::printf("Corr Asd %s, Corr Dec %s\n", qPrintable(ce::demo::scaleFactorText(factors.corrAsd)),
                qPrintable(ce::demo::scaleFactorText(factors.corrDec)));
    return 0;
}
