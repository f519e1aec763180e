// File, view, mode, colour and print commands in the window, with the dialogs
// answered through the prompts' seam and the toolkit's testing hook.
#include <wx/msgdlg.h>
#include <wx/dcsvg.h>
#include <wx/testing.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "app/app.h"
#include "app/command_ids.h"
#include "app/prompts.h"
#include "app/frame.h"
#include "io/open_commands.h"
#include "io/sample_loader.h"
#include "io/writer.h"
#include "model/history.h"
#include "model/store.h"
#include "tests/fixture.h"
#include "tests/read_file.h"
#include "tests/window_harness.h"
#include "view/printout.h"

namespace {
// A message box whose text must contain `expected`, answered with `answer`.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog> {
public:
    ExpectMessage(const char* expected, int answer) : expected_(expected), answer_(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        EXPECT_NE(dialog->GetMessage().Find(expected_), wxNOT_FOUND) << dialog->GetMessage();
        return answer_;
    }

private:
    wxString expected_;
    int answer_;
};

// Answers the next colour chooser with `colour` (an invalid colour cancels)
// and remembers the colour it started from.
class ColourAnswer {
public:
    explicit ColourAnswer(wxColour colour)
    {
        saved_ = colourPrompt();
        colourPrompt() = [this, colour](wxWindow*, const wxColour& start) {
            initial = start;
            return colour;
        };
    }
    ~ColourAnswer() { colourPrompt() = saved_; }
    wxColour initial;

private:
    ColourPrompt saved_;
};

struct Folder {
    Folder()
    {
        char name[] = "/tmp/korvith-files-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string path;
};

// Answers the next file dialogs with `paths` in turn ("" cancels); checks the
// dialog's message and default name when given.
class FileAnswers {
public:
    explicit FileAnswers(std::vector<wxString> paths) : paths_(std::move(paths))
    {
        saved_ = filePrompt();
        filePrompt() = [this](wxWindow*, const wxString& message, const wxString& defaultName, const wxString&,
                              long style) {
            messages.push_back(message);
            defaults.push_back(defaultName);
            styles.push_back(style);
            if (next_ >= paths_.size()) {
                ADD_FAILURE() << "an unexpected file dialog";
                return wxString();
            }
            return paths_[next_++];
        };
    }
    ~FileAnswers() { filePrompt() = saved_; }
    std::vector<wxString> messages, defaults;
    std::vector<long> styles;

private:
    std::vector<wxString> paths_;
    size_t next_ = 0;
    FilePrompt saved_;
};

void startUpCell()
{
    ReadSampleData(FIRST_SAMPLE);
    subdiv_level = 1;
    g_Filename = "untitled";
    g_Name = "";
    g_Path = "";
}
}  // namespace

TEST(Files, SaveOpenAndAppendThroughTheDialogs)
{
    startUpCell();
    Folder folder;
    const std::string out = folder.path + "/out";
    FileAnswers answers({out, out + ".kor", out + ".kor", out + ".kor", ""});
    sendCommand(ID_SAVE);
    EXPECT_EQ(answers.messages[0], "Save a file");
    EXPECT_EQ(answers.defaults[0], "") << "nothing opened or saved yet: an empty name";
    EXPECT_EQ(readAll(out + ".kor"), readAll("sample/single.kor"));
    EXPECT_EQ(g_Name, "out");

    // Saving again over the same file: answering No writes nothing.
    NOV = 0;
    NOE = 0;
    NOS = 0;
    wxTEST_DIALOG(sendCommand(ID_SAVE),
                  ExpectMessage("This file already exists.\nAre you sure to overwrite it?", wxID_NO));
    EXPECT_EQ(answers.defaults[1], "out");
    EXPECT_EQ(readAll(out + ".kor"), readAll("sample/single.kor"));
    EXPECT_EQ(g_Filename, "out.kor") << "the names follow the dialog even when nothing is written";

    sendCommand(ID_OPEN);
    EXPECT_EQ(answers.messages[2], "Choose a file");
    EXPECT_EQ(answers.defaults[2], "out.kor") << "the last name is offered";
    EXPECT_EQ(NOV, 8);
    sendCommand(ID_APPEND);
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(NOcomp, 3);
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOV, 8);

    // Cancelling a dialog changes nothing.
    const wxString name = g_Filename;
    sendCommand(ID_OPEN);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(g_Filename, name);
}

TEST(Files, AFileNamedAtStartUpOpensAsOpenWould)
{
    startUpCell();
    const int steps = historyLength();
    wxGetApp().openStartFile({"sample/torio.kor"});
    EXPECT_EQ(NOV, 19);
    EXPECT_EQ(g_Filename, "torio.kor");
    EXPECT_EQ(g_Name, "torio");
    EXPECT_EQ(g_Path, wxGetCwd() + "/sample/torio.kor") << "the path is made absolute, as the dialog gives it";
    EXPECT_EQ(historyLength(), steps + 1);
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOV, 8) << "one undo step brings the start-up cell back";

    // A file that cannot be read is reported and the cell stays.
    startUpCell();
    Folder folder;
    std::ofstream(folder.path + "/bad.kor") << "##korvith01\n##vertex\n2\n";
    {
        CapturedLog log;
        wxGetApp().openStartFile({folder.path + "/bad.kor"});
        ASSERT_EQ(log.errors.size(), 1u);
        EXPECT_NE(log.errors[0].find("bad.kor"), std::string::npos) << log.errors[0];
    }
    EXPECT_EQ(NOV, 8);
    wxGetApp().openStartFile({});
    EXPECT_EQ(NOV, 8);
}

TEST(Files, HeaderExportUsesTheNameFromBeforeTheDialog)
{
    startUpCell();
    Folder folder;
    g_Name = "2222-2222-2222";
    FileAnswers answers({folder.path + "/shape.h"});
    sendCommand(ID_SAVE_AS_HEADER);
    const std::string text = readAll(folder.path + "/shape.h");
    EXPECT_EQ(text.rfind("char *d2222_2222_2222_v=\"8:", 0), 0u) << text.substr(0, 40);
    EXPECT_EQ(g_Filename, "shape.h");
    EXPECT_EQ(g_Name, "shape");
}

TEST(Files, FailedSaveKeepsTheOldFileAndSaysSo)
{
    startUpCell();
    Folder folder;
    const std::string target = folder.path + "/dir.kor";
    ASSERT_EQ(std::system(("mkdir '" + target + "'").c_str()), 0);
    FileAnswers answers({target, folder.path + "/kept.kor"});
    wxTEST_DIALOG(sendCommand(ID_SAVE), ExpectMessage("Could not save", wxID_OK));

    // A surface with a position that is not a number is not written.
    const std::string kept = folder.path + "/kept.kor";
    std::ofstream(kept) << "old";
    v[2].x = std::nan("");
    wxTEST_DIALOG(sendCommand(ID_SAVE), ExpectMessage("already exists", wxID_YES),
                  ExpectMessage("not numbers", wxID_OK));
    EXPECT_EQ(readAll(kept), "old");
    startUpCell();
}

// Answers the next number prompts with `numbers` in turn (NAN cancels) and
// remembers what each offered.
class NumberAnswers {
public:
    explicit NumberAnswers(std::vector<double> numbers) : numbers_(std::move(numbers))
    {
        saved_ = numberPrompt();
        numberPrompt() = [this](wxWindow*, const wxString& message, double initial, double* value) {
            messages.push_back(message);
            offered.push_back(initial);
            if (next_ >= numbers_.size() || std::isnan(numbers_[next_])) {
                next_ += next_ < numbers_.size();
                return false;
            }
            *value = numbers_[next_++];
            return true;
        };
    }
    ~NumberAnswers() { numberPrompt() = saved_; }
    std::vector<wxString> messages;
    std::vector<double> offered;

private:
    std::vector<double> numbers_;
    size_t next_ = 0;
    NumberPrompt saved_;
};

TEST(Files, ExportWritesSolidsMeshesAndPictures)
{
    startUpCell();
    Folder folder;
    const std::string stl = folder.path + "/cell.stl", png = folder.path + "/cell.png", obj = folder.path + "/cell.obj";
    FileAnswers files({stl, obj, png, folder.path + "/cell.doc", stl});
    // STL: a solid, 2 mm thick, with rim edges of 20 mm.
    NumberAnswers numbers({2, 20, NAN});
    sendCommand(ID_EXPORT);
    ASSERT_EQ(numbers.offered.size(), 2u);
    EXPECT_EQ(numbers.offered[0], 1.2);
    EXPECT_EQ(numbers.offered[1], 10);
    const std::string bytes = readAll(stl);
    ASSERT_GE(bytes.size(), 84u);
    EXPECT_EQ(bytes[80], 2 * 7 + 2 * 7) << "both sides of the seven faces and a wall on each of seven rim sides";
    float x0, x1;
    std::memcpy(&x0, bytes.data() + 84 + 12, 4);
    std::memcpy(&x1, bytes.data() + 84 + 24, 4);
    EXPECT_GT(std::fabs(x1 - x0), 5) << "scaled to millimetres";
    // The window's message tells the wall, in millimetres.
    EXPECT_TRUE(messagetxt.StartsWith("cell.stl: smallest wall 2 mm (1 of the thickness 2 mm)")) << messagetxt;
    // OBJ: the surface as it stands, no questions.
    sendCommand(ID_EXPORT);
    EXPECT_EQ(numbers.offered.size(), 2u);
    EXPECT_EQ(readAll(obj).substr(0, 1), "#");
    // A picture.
    sendCommand(ID_EXPORT);
    EXPECT_EQ(readAll(png).substr(1, 3), "PNG");
    // A name without a known extension is refused; cancelling the thickness writes nothing.
    wxTEST_DIALOG(sendCommand(ID_EXPORT), ExpectMessage("extension picks the format", wxID_OK));
    wxTEST_DIALOG(sendCommand(ID_EXPORT), ExpectMessage("already exists", wxID_YES));
    EXPECT_EQ(readAll(stl), bytes);
}

TEST(Files, ExportOffersTheLargestCleanThicknessForACrossingSolid)
{
    startUpCell();
    ASSERT_TRUE(openSurfaceFile(wxString(KORVITH_SOURCE_DIR "/sample/2321-31-1223Lattice.kor"), false));
    Folder folder;
    const std::string stl = folder.path + "/lattice.stl";
    // 2.5 mm at rim edges of 10 mm is 0.2 model units: this lattice crosses itself.
    FileAnswers files({stl, stl});
    {
        NumberAnswers numbers({2.5, 10});
        wxTEST_DIALOG(sendCommand(ID_EXPORT), ExpectMessage("largest clean thickness found is", wxID_NO));
    }
    EXPECT_FALSE(wxFileExists(stl)) << "declined, nothing is written";
    {
        NumberAnswers numbers({2.5, 10});
        wxTEST_DIALOG(sendCommand(ID_EXPORT), ExpectMessage("instead?", wxID_YES));
    }
    const std::string bytes = readAll(stl);
    EXPECT_GT(bytes.size(), 84u) << "accepted, the clean solid is written";
    EXPECT_TRUE(messagetxt.StartsWith("lattice.stl: smallest wall ")) << messagetxt;
    EXPECT_EQ(NOV, 2240 / 2) << "the surface on screen stays as it was";
    startUpCell();
}

TEST(View, ZoomModesAndColours)
{
    startUpCell();
    g_rate = 100.0;
    sendCommand(ID_ZOOM_IN);
    EXPECT_EQ(g_rate, 125.0);
    sendCommand(ID_ZOOM_OUT);
    EXPECT_EQ(g_rate, 100.0);
    g_rate = 250.0;
    sendCommand(ID_DEFAULT_SIZE);
    EXPECT_EQ(g_rate, 100.0);
    sendCommand(ID_MODE_ANIMAL);
    EXPECT_EQ(interface_mode, 3);
    sendCommand(ID_MODE_TOUCH_PANEL);
    EXPECT_EQ(interface_mode, 2);
    sendCommand(ID_MODE_CLASSIC);
    EXPECT_EQ(interface_mode, 1);
    sendCommand(ID_MODE_NORMAL);
    EXPECT_EQ(interface_mode, 0);

    {
        ColourAnswer answer(wxColour(200, 100, 50));
        sendCommand(ID_COLOR_FACE);
        EXPECT_EQ(answer.initial, wxColour(229, 224, 188));
        EXPECT_EQ(faceColour, (RGBColour{200, 100, 50}));
        EXPECT_EQ(modifyColour, (RGBColour{100, 25, 50}));
    }
    {
        ColourAnswer answer(wxColour(10, 20, 30));
        sendCommand(ID_COLOR_BACK);
        EXPECT_EQ(backmodifyColour, (RGBColour{10, 20, 30}));
    }
    {
        ColourAnswer answer{wxColour()};  // cancelled
        sendCommand(ID_COLOR_BACKGROUND);
        EXPECT_EQ(backgroundColour, (RGBColour{255, 255, 255}));
        sendCommand(ID_COLOR_FACE);
        EXPECT_EQ(faceColour, (RGBColour{200, 100, 50}));
        EXPECT_EQ(modifyColour, (RGBColour{100, 25, 50})) << "a cancelled front chooser re-derives the highlight";
    }
    faceColour = {229, 224, 188};
    backColour = {86, 61, 38};
    modifyColour = {0, 255, 0};
    backmodifyColour = {255, 0, 255};
}

TEST(Print, PagePlacesThePictureAndOutlinesSelectionsInWhite)
{
    startUpCell();
    g_centerx = 320;
    g_centery = 220;
    g_rate = 100.0;
    g_purtj = -1;
    Folder folder;
    const std::string svg = folder.path + "/page.svg";
    auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
            ++n;
        return n;
    };
    {
        // A page of 4800 x 6600 device units.
        wxSVGFileDC dc(svg, 4800, 6600);
        MyPrintout printout("My printout");
        printout.SetDC(&dc);
        EXPECT_TRUE(printout.OnPrintPage(1));
        EXPECT_EQ(dc.GetDeviceOrigin(), wxPoint(0, 0)) << "the origin is put back";
    }
    std::string page = readAll(svg);
    EXPECT_EQ(count(page, "transform=\"translate(324 1872) scale(6.49 6.49)\""), 8u) << "background and 7 faces";
    EXPECT_EQ(count(page, "stroke:#000000"), 7u) << "black outlines";
    EXPECT_EQ(count(page, "stroke:#FFFFFF"), 1u) << "only the background is outlined in white";

    hilighted[1] = true;
    {
        wxSVGFileDC dc(svg, 4800, 6600);
        drawPrintedPage(dc, 4800, 6600);
    }
    hilighted[1] = false;
    page = readAll(svg);
    EXPECT_EQ(count(page, "stroke:#FFFFFF"), 8u) << "the selected component's faces are outlined in white";
    EXPECT_EQ(count(page, "stroke:#000000"), 0u);
}
