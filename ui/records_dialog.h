// "Statistiques": the records of finished games, one row per variant and
// difficulty band, with a button that clears them.
#pragma once

#include "texts.h"

#include "io/records.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTableWidget;

namespace vemo::ui {

// "12 s", "4:05", "1:02:03"; "-" when there is no time.
QString RecordTime(long long seconds);

class RecordsDialog : public QDialog {
    Q_OBJECT

  public:
    RecordsDialog(const TextSource& texts, QWidget* parent = nullptr);

    // Shows these records; the table keeps them until the next call.
    void SetRecords(const io::Records& records);
    // Captions and headers in the language in use.
    void Retranslate();

    // Asked when the player resets the records; true clears them. A test
    // replaces the question box.
    std::function<bool()> ConfirmReset;
    // Called with the cleared records; the window writes them.
    std::function<void(const io::Records& records)> RecordsReset;

    QTableWidget* Table() const { return table_; }
    QPushButton* ResetButton() const { return reset_; }
    QPushButton* CloseButton() const { return close_; }

  private:
    void Fill();
    void ResetClicked();

    const TextSource& texts_;
    io::Records records_;
    QTableWidget* table_;
    QPushButton* reset_;
    QPushButton* close_;
};

} // namespace vemo::ui
