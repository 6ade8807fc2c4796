#include "PremiumDownload.h"

#include "MessageBox.h"
#include "PremiumContent.h"
#include "ProgressDlg.h"
#include "ServerSettings.h"

void DownloadPremiumContent(const std::string& libraryRoot, QWidget* messageOwner)
{
    const ServerSettings settings = ServerSettings::Load();
    CProgressDlg progress(0);
    progress.Create();
    const auto step = [&progress](int times) {
        for (int i = 0; i < times; ++i)
            progress.StepIt();
    };
    step(4);
    if (!PremiumContent::Update({settings.contentHost, settings.contentPort}, libraryRoot, step))
        ShowMessage(messageOwner, {"Plumet Assistant", kPremiumFailureText});
    progress.DestroyWindow();
}
