#include "insert/CBgSoundObject.h"
#include "insert/CMediaObject.h"

#include <gtest/gtest.h>

TEST(CMediaObject, DefaultTextHasCrLfLinesAndKeepsBackslashes)
{
    CMediaObject media;
    media.m_strName = "clip";
    media.m_strValue = "media\\clip.avi";
    EXPECT_EQ(media.GetHtml(),
              "<OBJECT align=left classid=CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95 "
              "id=\"clip\">\r\n<PARAM NAME=\"FileName\" VALUE=\"media\\clip.avi\">\r\n<PARAM "
              "NAME=\"AutoRewind\" VALUE=\"true\">\r\n<PARAM NAME=\"AutoStart\" "
              "VALUE=\"false\">\r\n<PARAM NAME=\"ClickToPlay\" VALUE=\"false\">\r\n<PARAM "
              "NAME=\"Mute\" VALUE=\"false\">\r\n<PARAM NAME=\"ShowControls\" "
              "VALUE=\"true\">\r\n<PARAM NAME=\"ShowDisplay\" VALUE=\"true\">\r\n<PARAM "
              "NAME=\"ShowTracker\" VALUE=\"true\">\r\n<PARAM NAME=\"PlayCount\" "
              "VALUE=\"1\">\r\n</OBJECT>");
}

TEST(CMediaObject, EveryFlagReachesItsOwnParameter)
{
    CMediaObject media;
    media.m_bAutoRewind = false;
    media.m_bAutoStart = true;
    media.m_bClickToPlay = true;
    media.m_bMute = true;
    media.m_bShowControls = false;
    media.m_bShowDisplay = false;
    media.m_bShowTracker = false;
    media.m_nPlayCount = 0;
    EXPECT_EQ(media.GetHtml(),
              "<OBJECT align=left classid=CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95 "
              "id=\"\">\r\n<PARAM NAME=\"FileName\" VALUE=\"\">\r\n<PARAM NAME=\"AutoRewind\" "
              "VALUE=\"false\">\r\n<PARAM NAME=\"AutoStart\" VALUE=\"true\">\r\n<PARAM "
              "NAME=\"ClickToPlay\" VALUE=\"true\">\r\n<PARAM NAME=\"Mute\" "
              "VALUE=\"true\">\r\n<PARAM NAME=\"ShowControls\" VALUE=\"false\">\r\n<PARAM "
              "NAME=\"ShowDisplay\" VALUE=\"false\">\r\n<PARAM NAME=\"ShowTracker\" "
              "VALUE=\"false\">\r\n<PARAM NAME=\"PlayCount\" VALUE=\"0\">\r\n</OBJECT>");
    EXPECT_FALSE(media.IsValid());
    media.m_strName = "clip";
    EXPECT_FALSE(media.IsValid());
    media.m_strValue = "clip.avi";
    EXPECT_TRUE(media.IsValid());
}

TEST(CMediaObject, QuoteInFileDoesNotEndTheAttribute)
{
    CMediaObject media;
    media.m_strName = "a\"b";
    media.m_strValue = "my \"best\".avi";
    const std::string html = media.GetHtml();
    EXPECT_NE(html.find("id=\"a&quot;b\">"), std::string::npos);
    EXPECT_NE(html.find("VALUE=\"my &quot;best&quot;.avi\">"), std::string::npos);
}

TEST(CBgSoundObject, PageSoundOnceOrLoopingAndListeningTag)
{
    CBgSoundObject sound;
    sound.m_strSource = "sounds\\bell.wav";
    EXPECT_EQ(sound.GetHtml(), "<bgsound src=\"sounds\\bell.wav\">");
    sound.m_bLoop = true;
    EXPECT_EQ(sound.GetHtml(), "<bgsound src=\"sounds\\bell.wav\" loop=\"infinite\">");
    EXPECT_TRUE(sound.m_strName.empty() && sound.m_strValue.empty());
    EXPECT_EQ(CBgSoundObject::GetListeningHtml("/home/u/Clipart/Sounds/bell.wav"),
              "<BGSOUND SRC=\"/home/u/Clipart/Sounds/bell.wav\">");
    EXPECT_EQ(CBgSoundObject::GetListeningHtml("a\"b.wav"), "<BGSOUND SRC=\"a&quot;b.wav\">");
}
