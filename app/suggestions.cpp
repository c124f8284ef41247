#include "app/suggestions.h"

#include "app/builtin_texts.h"
#include "core/numbers.h"

namespace ce {

QString SetSugestion(const QString& key, std::int16_t step, const QString& valueA,
                     const QString& valueB, const QString& current, const LanguageTable& table)
{
    const QChar cr(13);  // a bare carriage return, not CR LF
    if (key == u"calcul" && (step == 0 || step == 1)) {
        // A: candidate solutions found; B: catalogue stars used. Step 1:
        // none was offered to the user, so none can have been declined.
        const double a = leadingNumber(valueA);
        const double b = leadingNumber(valueB);
        QString text = current;
        if (step == 1) text = table.suggestion(sug::kNothingProposed) + cr;
        else if (a < 100) text = table.suggestion(1) + cr;
        if (a > 100) text = (step == 1 ? text : QString()) + table.suggestion(2) + cr;
        if (b > 300) text += table.suggestion(3) + cr;
        if (b < 100) text += table.suggestion(4) + cr;
        return text;
    }
    if (key == u"calcul" && step == -1) return table.suggestion(5);
    if (key == u"superetalonage" && step >= 0) return table.suggestion(6);
    if (key == u"superetalonage" && step == -1) return table.suggestion(7);
    if (key == u"etalonage" && step <= 0) return table.suggestion(8);
    if (key == u"etalonage" && step == 1) return table.suggestion(9);
    if (key == u"selectstar" && step == 1) return table.suggestion(10);
    if (key == u"selectstar" && step == 2) return table.suggestion(11);
    if (key == u"open") return table.suggestion(12);
    if (key == u"fullmapannuler") return table.suggestion(13);
    if (key == u"calculannuler") return table.suggestion(14);
    return current;
}

}  // namespace ce
