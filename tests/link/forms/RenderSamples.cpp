// Renders the session's dialogs to PNGs for people to look at (not a test):
//   session_render_samples <folder>   writes, in English (_en) and Simplified Chinese (_zh):
//   scan_scanning, scan_link_broken (the connect and scan dialog while it tries a serial port and
//   after a broken link), process (the progress window during a read-back), hid_data (the
//   traffic monitor with a connect's lines) and information (an identity refused).

#include <iostream>
#include <memory>
#include <string>

#include "dialogs/FInformation.h"
#include "framework/controls/Form.h"
#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "link/forms/FHidData.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "tests/link/forms/FakeSessionWindow.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvProgressBar.h"

namespace dsp {
namespace {

void Save(TCustomForm& form, const std::string& file) {
    std::unique_ptr<TBitmap> image = form.RenderToImage();
    TPngImage png;
    png.Assign(image.get());
    png.SaveToFile(file);
    std::cout << file << "\n";
}

void RenderAll(const std::string& folder, const std::string& language, const std::string& suffix) {
    test::TFakeSessionWindow window;
    window.language = language;

    TfmNetwork scan(nullptr);
    scan.AfterConstruction();
    scan.Show();
    scan.lblScan->SetCaption(window.GetText("SID_SCAN") + "COM3 ......");
    scan.lblDeviceID->SetCaption("2/4");
    scan.pbScan->SetMax(4);
    scan.pbScan->SetPosition(2);
    for (TRzBmpButton* b : {scan.btnOK, scan.btnId, scan.btnExit}) b->SetEnabled(false);
    Save(scan, folder + "/scan_scanning_" + suffix + ".png");
    scan.lblScan->SetCaption(window.GetText("SID_LINK_BROKEN"));
    scan.lblDeviceID->SetCaption("");
    scan.pbScan->SetPosition(0);
    for (TRzBmpButton* b : {scan.btnOK, scan.btnId, scan.btnExit}) b->SetEnabled(true);
    Save(scan, folder + "/scan_link_broken_" + suffix + ".png");

    TfmProcess process(nullptr);
    process.AfterConstruction();
    process.SetStatusText(window.GetText("SID_UPLOAD_PARAMETER"));
    process.ProgressBar->SetMax(16);
    process.ProgressBar->SetPosition(9);
    process.Show();
    Save(process, folder + "/process_" + suffix + ".png");

    TfmHidData monitor(nullptr);
    monitor.AfterConstruction();
    monitor.Show();
    for (const char* line :
         {"NET W 10 02 00 01 01 10 10 03 11 ", "NET R 10 02 01 00 01 10 10 03 10 ",
          "NET W 10 02 00 01 01 13 10 03 12 ",
          "NET R 10 02 01 00 09 13 57 51 4A 20 56 30 31 30 10 03 3B ",
          "NET W 10 02 00 01 01 2C 10 03 3D ",
          "NET R 10 02 01 00 07 2C 00 00 00 00 00 00 10 03 3A "})
        monitor.AddLine(line);
    Save(monitor, folder + "/hid_data_" + suffix + ".png");

    TfmInformation information(nullptr);
    information.AfterConstruction();
    information.lbMessage->SetCaption(window.GetText("SID_INFO_ERROR_VERSION"));
    information.Show();
    Save(information, folder + "/information_" + suffix + ".png");
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: session_render_samples <folder>\n";
        return 64;
    }
    dsp::TApplication application;
    application.Initialize();
    dsp::RenderAll(argv[1], dsp::kLanguageEnglish, "en");
    dsp::RenderAll(argv[1], dsp::kLanguageChineseGB, "zh");
    return 0;
}
