#include "theme/theme_loader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/slot_table.h"
#include "temp_folder.h"

namespace haripon {
namespace {

class ThemeLoading : public testing::Test {
  protected:
    void SetUp() override {
        SetAppFolder(folder_.Path().string() + "/");
        SetThemeFolder("DATA\\test\\");
        ResetSlots();
        UseTheme(ThemeValues{});
    }

    void WriteTheme(const std::string& text, const char* relative = "DATA/test/face8.bmp") {
        folder_.Write(relative, text);
    }

    testing_support::TempFolder folder_{"theme"};
};

TEST_F(ThemeLoading, ReadsEverySlotAndTheGlobalValues) {
    WriteTheme(
        "[CG]\r\nCHR2FACE=face2.bmp\r\nCHR2FACE16=small2.bmp\r\nTIMERCHR2=timer2.bmp\r\n"
        "BGCHR2_0=empty2.bmp\r\nBGCHR2_1=full2.bmp\r\nPSTBIGCG2=big2.bmp\r\nPSTSMLCG2=sml2.bmp\r\n"
        "CHR2FACE_XPOS=66\r\nCHR2FACE_YPOS=51\r\nCHR2FACE_XSIZ=33\r\nCHR2FACE_YSIZ=34\r\n"
        "BGCHR2_XPOS=64\r\nBGCHR2_YPOS=50\r\nBGCHR2_XSIZ=49\r\nBGCHR2_YSIZ=57\r\n"
        "MAINFRM=main.bmp\r\nCLOSESBTN=close.bmp\r\nCLOSESBTN_XPOS=344\r\nCLOSESBTN_YPOS=10\r\n"
        "CLOSESBTN_XSIZ=20\r\nCLOSESBTN_YSIZ=21\r\nPOSTBTN=post.bmp\r\nPOSTBTN_XPOS=288\r\n"
        "RENEWBTN=renew.bmp\r\nDELBTN=del.bmp\r\nDELBTN_YSIZ=22\r\nMINIFACE_XPOS=91\r\n"
        "MINIFACE_XSIZ=16\r\nTIMCHR_XPOS=8\r\nTIMCHR_YSIZ=128\r\nINPMEMOSETTIM_XPOS=10\r\n"
        "INPMEMOSETTIM_YPOS=190\r\nINPMEMOSETTIMCOLOR=$00FF00\r\nSELMEMO_XPOS=14\r\n"
        "[COLOR]\r\nPSTCOL2=$80FFFF\r\nMSGWNDCOL=16777215\r\n"
        "[MSG]\r\nCHRMSGCNT2=2\r\nCHRMSG2-1=\x82\xA8\x82\xCD\x82\xE6\x82\xA4\r\nCHRMSG2-2=two\r\n"
        "CHRMSG2-3=not loaded\r\n");
    const EditorLayout layout = LoadTheme();

    const SlotTheme& slot = SlotTable[1].SlotTheme;
    EXPECT_EQ(slot.FaceFile, "face2.bmp");
    EXPECT_EQ(slot.SmallFaceFile, "small2.bmp");
    EXPECT_EQ(slot.TimerCharFile, "timer2.bmp");
    EXPECT_EQ(slot.SlotBackFile0, "empty2.bmp");
    EXPECT_EQ(slot.SlotBackFile1, "full2.bmp");
    EXPECT_EQ(slot.LargeMemoFile, "big2.bmp");
    EXPECT_EQ(slot.SmallMemoFile, "sml2.bmp");
    EXPECT_EQ(slot.FaceLeft, 66);
    EXPECT_EQ(slot.FaceTop, 51);
    EXPECT_EQ(slot.FaceWidth, 33);
    EXPECT_EQ(slot.FaceHeight, 34);
    EXPECT_EQ(slot.SlotBackLeft, 64);
    EXPECT_EQ(slot.SlotBackTop, 50);
    EXPECT_EQ(slot.SlotBackWidth, 49);
    EXPECT_EQ(slot.SlotBackHeight, 57);
    EXPECT_EQ(slot.MemoColor, 0x80FFFF);
    EXPECT_EQ(slot.LineCount, 2);
    EXPECT_EQ(slot.Lines[0], "\x82\xA8\x82\xCD\x82\xE6\x82\xA4");
    EXPECT_EQ(slot.Lines[1], "two");
    EXPECT_EQ(slot.Lines[2], "");
    EXPECT_EQ(SmallFaceNames[1], "small2.bmp");
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "");

    EXPECT_EQ(ThemeSettings.MainFrameFile, "main.bmp");
    EXPECT_EQ(ThemeSettings.CloseButton.File, "close.bmp");
    EXPECT_EQ(ThemeSettings.CloseButton.Left, 344);
    EXPECT_EQ(ThemeSettings.CloseButton.Top, 10);
    EXPECT_EQ(ThemeSettings.CloseButton.Width, 20);
    EXPECT_EQ(ThemeSettings.CloseButton.Height, 21);
    EXPECT_EQ(ThemeSettings.PostButton.File, "post.bmp");
    EXPECT_EQ(ThemeSettings.PostButton.Left, 288);
    EXPECT_EQ(ThemeSettings.RenewButtonFile, "renew.bmp");
    EXPECT_EQ(ThemeSettings.DeleteButton.File, "del.bmp");
    EXPECT_EQ(ThemeSettings.DeleteButton.Height, 22);
    EXPECT_EQ(ThemeSettings.MiniFaceLeft, 91);
    EXPECT_EQ(ThemeSettings.MiniFaceWidth, 16);
    EXPECT_EQ(ThemeSettings.TimerCharLeft, 8);
    EXPECT_EQ(ThemeSettings.TimerCharHeight, 128);
    EXPECT_EQ(ThemeSettings.MessageColor, 0xFFFFFF);

    EXPECT_EQ(layout.TimeRow.Left, 10);
    EXPECT_EQ(layout.TimeRow.Top, 190);
    EXPECT_EQ(layout.TimeRow.Color, 0x00FF00);
    EXPECT_EQ(layout.SelectedMemoTitle.Left, 14);
    EXPECT_EQ(layout.MemoEdit.Left, 0);
}

TEST_F(ThemeLoading, LineCountsAreHeldToZeroToSeven) {
    std::string text = "[MSG]\r\nCHRMSGCNT1=2\r\nCHRMSGCNT3=9\r\nCHRMSGCNT4=8\r\nCHRMSGCNT5=-3\r\n";
    for (int n : {1, 3, 4, 5}) {
        for (int m = 1; m <= 7; ++m) {
            text += "CHRMSG" + std::to_string(n) + "-" + std::to_string(m) + "=line" +
                    std::to_string(m) + "\r\n";
        }
    }
    WriteTheme(text);
    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.LineCount, 2);
    EXPECT_EQ(SlotTable[0].SlotTheme.Lines[1], "line2");
    EXPECT_EQ(SlotTable[0].SlotTheme.Lines[2], "");
    for (int i : {2, 3}) {
        EXPECT_EQ(SlotTable[i].SlotTheme.LineCount, 7);
        EXPECT_EQ(SlotTable[i].SlotTheme.Lines[6], "line7");
    }
    EXPECT_EQ(SlotTable[4].SlotTheme.LineCount, 0);
    EXPECT_EQ(SlotTable[4].SlotTheme.Lines[0], "");
    EXPECT_EQ(SlotTable[1].SlotTheme.LineCount, 0);  // key missing
}

TEST_F(ThemeLoading, ColourForms) {
    WriteTheme(
        "[COLOR]\r\nPSTCOL1=0xFF\r\nPSTCOL2=$FF\r\nPSTCOL3=255\r\nPSTCOL4=red\r\n"
        "PSTCOL5=12px\r\n");
    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.MemoColor, 255);
    EXPECT_EQ(SlotTable[1].SlotTheme.MemoColor, 255);
    EXPECT_EQ(SlotTable[2].SlotTheme.MemoColor, 255);
    EXPECT_EQ(SlotTable[3].SlotTheme.MemoColor, 0);
    EXPECT_EQ(SlotTable[4].SlotTheme.MemoColor, 0);
}

TEST_F(ThemeLoading, WithoutAColourSectionEverythingIsBlack) {
    WriteTheme("[CG]\r\nCHR1FACE=a.bmp\r\n[MSG]\r\nCHRMSGCNT1=1\r\nCHRMSG1-1=x\r\n");
    LoadTheme();
    for (const MemoSlot& slot : SlotTable)
        EXPECT_EQ(slot.SlotTheme.MemoColor, 0);
    EXPECT_EQ(ThemeSettings.MessageColor, 0);
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "a.bmp");
}

TEST_F(ThemeLoading, TheFolderIsJoinedAsItIs) {
    WriteTheme("[CG]\r\nCHR1FACE=inside.bmp\r\n");
    WriteTheme("[CG]\r\nCHR1FACE=beside.bmp\r\n", "DATA/testface8.bmp");
    WriteTheme("[CG]\r\nCHR1FACE=top.bmp\r\n", "face8.bmp");

    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "inside.bmp");
    SetThemeFolder("DATA\\test");
    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "beside.bmp");
    SetThemeFolder("DATA\\missing");
    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "");
    SetThemeFolder("");
    LoadTheme();
    EXPECT_EQ(SlotTable[0].SlotTheme.FaceFile, "top.bmp");
    EXPECT_EQ(ThemeFile().String("chr1face"), "top.bmp");
}

}  // namespace
}  // namespace haripon
