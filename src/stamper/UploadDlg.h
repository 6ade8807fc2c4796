#pragma once
#include "FtpClient.h"
#include "StamperState.h"
#include "UploadSettings.h"

#include <QDialog>
#include <QIcon>

#include <array>
#include <memory>
#include <string>

class QTreeWidgetItem;
namespace Ui { class UploadDlg; }

// "Upload Gateway": logs in to the user's FTP server, shows its folders in a
// tree and stores the selected file as "pla1_0.exe" in the server's current
// folder. The client lives exactly as long as the dialog, which logs out as
// it goes; nothing typed here is kept.
class CUploadDlg : public QDialog {
public:
    // Item data: the image an item shows, its name as the server sent it, and
    // whether it is the way up (told apart from a folder of that name).
    static constexpr int ImageRole = Qt::UserRole;
    static constexpr int ServerNameRole = Qt::UserRole + 1;
    static constexpr int ParentDirectoryRole = Qt::UserRole + 2;

    explicit CUploadDlg(const StamperState& state, QWidget* parent = nullptr);
    ~CUploadDlg() override;

    void OnConnect();
    void OnDisconnect();
    void OnUpload();
    void OnExit();
    // Enters the tree's current item and lists it below that item.
    void OnTreeDoubleClick();

private:
    // The bar moves in steps of 10 and starts over past its end.
    void StepProgress(int steps);
    // Shows `value` above `base` on the bar, starting over past its end.
    void ShowProgress(int base, int value);
    // Lists the server's current folder; when that succeeds, adds the listing
    // below `parent` (the root when null), after "Parent Directory".
    void ListInto(QTreeWidgetItem* parent);
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text, const QByteArray& serverName, int image);
    // Widens the column for the widest of `items`, so every name can be scrolled to.
    void WidenFor(const std::vector<QTreeWidgetItem*>& items);
    void EmptyTree();
    void EmptyTreeAndBoxes();
    void Message(const char* text);
    // Sets the client up for `site` ("host:port") from the user's settings.
    void PrepareSession(const std::string& site, const std::string& shownSite);
    // Asks about a certificate the system does not vouch for; remembers a Yes.
    bool AcceptCertificate(const std::string& shownSite, const std::string& fingerprint);
    // After a transfer: remembers passive mode for the site and shows how
    // the connection runs in the tree's tooltip.
    void NoteSession();

    const StamperState& state_;
    std::unique_ptr<Ui::UploadDlg> ui_;
    std::array<QIcon, 3> images_;
    // The host and user of the last login that succeeded: another server's
    // folders must not stay in the tree.
    std::string server_;
    CFtpClient ftp_;
    // "host:port" of the session, the key of what is remembered for it.
    std::string site_;
    UploadSettings::DataMode forcedMode_ = UploadSettings::DataMode::Automatic;
};
