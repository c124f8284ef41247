#include "app/builtin_texts.h"

#include <array>
#include <utility>

namespace ce {

namespace {

constexpr std::pair<int, const char*> kMessages[] = {
    {msg::kDeciderSkipped,
     "Solution %1/%2 écartée par le Décideur : %3 coïncidence(s) avec les étoiles marquées, "
     "il en faut 4."},
    {msg::kCollinearSkipped,
     "Solution %1/%2 écartée : les étoiles R1, R2 et R3 sont alignées ou confondues."},
    {msg::kRefined, "Solution affinée sur %1 étoiles : écart quadratique moyen %2 px (%3\")."},
    {msg::kNotRefined, "Solution non affinée (%1) : la solution des trois étoiles est conservée."},
    {msg::kClassicalCosDec,
     "Corr Asd = CX × cos(DEC) du centre (DEC = %1°) = %2 ; Corr Dec = CY = %3. Corr Asd compte les "
     "pixels par degré d'ascension droite, plus courts que ceux de déclinaison loin de "
     "l'équateur."},
    {msg::kClassicalNeedsCentre,
     "Tapez d'abord la déclinaison du centre du champ (DEC) : Corr Asd en dépend (cos DEC)."},
    {msg::kScaleRatioHint,
     "Aucune solution : Corr Asd / Corr Dec vaut %1 alors que cos(DEC) du centre vaut %2. Pour des "
     "pixels carrés, essayez Corr Asd = %3 (Corr Dec × cos DEC)."},
    {msg::kMarkCount, "Étoiles marquées : %1/5"},
    {msg::kFullMapNoScale,
     "Carte complète impossible : le champ %1 est vide, nul ou ne contient pas un nombre."},
    {msg::kRefineOption, "&Affiner la solution (moindres carrés)"},
    {msg::kMarkRemoved, "Dernière étoile retirée : %1/5"},
    {msg::kAutoCaption, "5-Auto"},
    {msg::kAutoNothingVerified, "Aucune solution vérifiée après %1 essais : vérifiez le centre, Corr Asd/Corr Dec et Mag max."},
    {msg::kAutoJournal, "Auto : %1 étoiles détectées, %2 essais, %3 étoiles vérifiées, %4 ms."},
    {msg::kAutoProgress, "Recherche automatique : %1 essais sur %2 au plus, meilleure vérification %3 étoiles"},
};

constexpr std::pair<int, const char*> kSuggestions[] = {
    {sug::kNothingProposed,
     "Aucune solution n'a été proposée : vérifiez les cinq étoiles marquées (Retour arrière "
     "retire la dernière), les facteurs Corr Asd et Corr Dec, ou augmentez la tolérance. Le "
     "journal dit pourquoi chaque solution a été écartée."},
};

template <std::size_t N>
QString lookUp(const std::pair<int, const char*> (&table)[N], int n)
{
    for (const auto& [number, text] : table)
        if (number == n) return QString::fromUtf8(text);
    return QString();
}

}  // namespace

QString builtinMessage(int n) { return lookUp(kMessages, n); }

QString builtinSuggestion(int n) { return lookUp(kSuggestions, n); }

}  // namespace ce
