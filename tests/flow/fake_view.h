#pragma once
// A scripted stand-in for the main window: control texts in a map, every
// status line, message and question recorded, Yes/No answers from a script,
// pixels from a function or an in-memory image.

#include "app/flow/reduction_view.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace ce::testing {

class FakeMonitor final : public DownloadMonitor {
public:
    void downloadStarted(const QString& address) override { addresses.push_back(address); }
    void bytesReceived(qint64 bytes) override { lastBytes = bytes; }
    bool cancelRequested() const override { return cancel; }
    void downloadFinished() override { ++finished; }

    QStringList addresses;
    qint64 lastBytes = 0;
    bool cancel = false;
    int finished = 0;
};

struct Question { QString text, title; bool answer; };
struct Message { QString text, title; bool warning; };

class FakeView : public ReductionView {
public:
    // The initial texts of the main window's layout.
    FakeView()
        : texts_{{"txt_dec_sign_show_0", "+"}, {"txt_dec_sign_show_1", "+"}, {"txt_epoch", "2000.0"},
                 {"txt_distance", "20"},       {"txt_mag", "13"},              {"txt_mag2", "16"},
                 {"txt_tolerance", "7"},       {"txt_calcul", "10"}}
    {
    }

    // Puts values[i] into control `prefix` + i: setTexts("txt_ra_", {"1", "34", "50"}).
    void setTexts(const QString& prefix, const QStringList& values)
    {
        for (int i = 0; i < values.size(); ++i) setText(prefix + QString::number(i), values[i]);
    }

    QString text(const QString& control) const override { return texts_.value(control); }
    void setText(const QString& control, const QString& text) override { texts_[control] = text; }
    int checkState(const QString& control) const override { return checks_.value(control, 0); }
    void setCheckState(const QString& control, int state) override { checks_[control] = state; }
    void setVisible(const QString& control, bool visible) override { visible_[control] = visible; }
    bool isVisible(const QString& control) const override { return visible_.value(control, false); }
    void setFocus(const QString& control) override { focus = control; }

    Status loadImage(const QString& absolutePath) override
    {
        loadedPaths.push_back(absolutePath);
        return imageLoadError.isEmpty() ? succeeded() : Status::failure(imageLoadError);
    }
    QList<HeaderCard> imageHeader() const override { return header; }
    int imageWidth() const override { return width; }
    int imageHeight() const override { return height; }
    std::int32_t pixel(int x, int y) const override
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return -1;
        return pixelSource ? pixelSource(x, y) : 0;
    }
    void resetPan() override { ++panResets; }
    void showImageRegion(double left, double top, double right, double bottom) override
    {
        shownRegions.push_back({left, top, right, bottom});
    }
    void markersChanged() override { ++markerRepaints; }
    void redrawZoom() override { ++zoomRedraws; }

    void addStatus(const QString& line) override { status.prepend(line); }
    QString suggestion() const override { return suggestionText; }
    void setSuggestion(const QString& text) override { suggestionText = text; }
    void setInfo(const QString& text) override { info = text; }
    void setDebugText(const QString& text) override { debugText = text; }

    void showMessage(const QString& text, const QString& title, bool warning) override
    {
        messages.push_back({text, title, warning});
        if (onMessage) onMessage(text);
    }
    bool askYesNo(const QString& question, const QString& title) override
    {
        bool answer = defaultAnswer;
        if (decide) {
            answer = decide(question);
        } else if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        questions.push_back({question, title, answer});
        return answer;
    }
    bool askYesNoAboutImage(const QString& question, const QString& title) override
    {
        ++questionsAboutImage;
        return askYesNo(question, title);
    }
    void showDetails(const QString& title, const QString& report) override { details.emplace_back(title, report); }
    DownloadMonitor& downloadMonitor() override { return monitor; }
    bool searchProgress(const QString& text, int done, int total) override
    {
        progress.push_back(text);
        progressTotal = total;
        return !(cancelSearchAfter >= 0 && done >= cancelSearchAfter);
    }
    void searchFinished() override { ++searchesFinished; }

    // --- Script and records ----------------------------------------------
    std::deque<bool> answers;    // answers to the next Yes/No questions, in order
    std::function<bool(const QString&)> decide;  // when set, answers every question instead
    bool defaultAnswer = false;  // when the script runs out
    QString imageLoadError;      // non-empty: the next image loads fail with it
    QList<HeaderCard> header;    // the FITS header of every image loaded
    int width = 0, height = 0;
    std::function<std::int32_t(int, int)> pixelSource;  // black when unset
    std::function<void(const QString&)> onMessage;

    QStringList status;  // newest first, as in the window
    QString suggestionText, info, debugText, focus;
    std::vector<Message> messages;
    std::vector<Question> questions;
    std::vector<std::pair<QString, QString>> details;
    QStringList loadedPaths;
    int panResets = 0, markerRepaints = 0, zoomRedraws = 0, questionsAboutImage = 0;
    // The search's progress lines; it is cancelled once `done` reaches
    // cancelSearchAfter (−1: never).
    QStringList progress;
    int progressTotal = 0, cancelSearchAfter = -1, searchesFinished = 0;
    std::vector<std::array<double, 4>> shownRegions;  // left, top, right, bottom
    FakeMonitor monitor;

private:
    QMap<QString, QString> texts_;
    QMap<QString, int> checks_;
    QMap<QString, bool> visible_;
};

}  // namespace ce::testing
