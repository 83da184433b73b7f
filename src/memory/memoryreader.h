#pragma once
// The memory reader window form3, opened by Command12 of the main window, and its commands:
// the three reads, the typed listing, the hex view, the backup file and the download.
//
// The images and flags belong to the program and outlive the window. Closing form3 hides it;
// Command12 then runs its load again, as for a window opened for the first time.

#include <QObject>

class QString;

namespace callcfg {

class Form1;
class Form3;
class Link;
struct Box;
struct Images;

class MemoryReader : public QObject {
    Q_OBJECT
public:
    MemoryReader(Form1& form1, Link& link, Images& images);
    ~MemoryReader() override;

    // What Command12 does: makes and loads form3 unless it is open, then shows it (not modal).
    void showForm3();
    // The open window, or nullptr.
    Form3* form3() const { return form3_; }

private:
    // One of the three reads (memoryreads.cpp).
    struct ReadKind;
    void readHost();
    void readBuiltInReceiver();
    void readExternalReceiver();
    void read(const ReadKind& kind);
    // Typed listing and hex view (memoryviews.cpp).
    void showListing();
    void showHexView();
    // Backup file and download (memorybackup.cpp).
    void saveFile();
    void openFile();
    void download();

    void box(const Box& box);
    // Repaints the status label and the window so a status is on screen before a long run.
    void showStatus(const QString& caption);

    Form1& form1_;
    Link& link_;
    Images& images_;
    Form3* form3_ = nullptr;
};

} // namespace callcfg
