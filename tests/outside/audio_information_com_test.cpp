// The AudioInformation object as the application calls it: tagging after a rip (OpenFile,
// the five writes, SaveTags), playing times for the play list, and the genre list.
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

#include "ZEVAudioInformation.h"

#include <gtest/gtest.h>

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

using namespace outside_test;

namespace {

std::wstring ripped(const std::wstring& name) {
  audiofile::Mp3Encoder encoder(audiofile::LameMp3Settings{}, {}, scratchPath(name));
  encoder.write(stereoTones(kCdRate * 2));
  EXPECT_TRUE(encoder.finish());
  return scratchPath(name);
}

class Information : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_);
    info_ = createServerObject<IAudioInformation>(L"ZEVAudioInformation.dll", CLSID_AudioInformation);
    ASSERT_TRUE(info_);
  }

  bool open(const std::wstring& path) {
    VARIANT_BOOL opened = VARIANT_FALSE;
    EXPECT_EQ(info_->OpenFile(com::bstr(path).get(), &opened), S_OK);
    return opened == VARIANT_TRUE;
  }

  bool save(const std::wstring& path) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    EXPECT_EQ(info_->SaveTags(com::bstr(path).get(), &saved), S_OK);
    return saved == VARIANT_TRUE;
  }

  std::wstring text(HRESULT (STDMETHODCALLTYPE IAudioInformation::*get)(BSTR*)) {
    com::bstr value;
    EXPECT_EQ((info_.get()->*get)(value.put()), S_OK);
    return std::wstring(value.view());
  }

  LONG number(HRESULT (STDMETHODCALLTYPE IAudioInformation::*get)(LONG*)) {
    LONG value = -1;
    EXPECT_EQ((info_.get()->*get)(&value), S_OK);
    return value;
  }

  void tagAsTheRipLoopDoes(const std::wstring& path) {
    ASSERT_TRUE(open(path));
    info_->put_infoTitle(com::bstr(L"Track One").get());
    info_->put_infoArtist(com::bstr(L"Some Artist").get());
    info_->put_infoAlbum(com::bstr(L"Some Album").get());
    info_->put_infoGenre(13);
    info_->put_infoYear(2001);
    ASSERT_TRUE(save(path));
  }

  com::apartment apartment_;
  com::ptr<IAudioInformation> info_;
};

}  // namespace

TEST_F(Information, TaggingAfterARipWritesTheFile) {
  const auto path = ripped(L"after rip.mp3");
  tagAsTheRipLoopDoes(path);
  TagLib::MPEG::File file(path.c_str());
  ASSERT_TRUE(file.hasID3v2Tag());
  EXPECT_EQ(file.ID3v2Tag()->title().toWString(), L"Track One");
  EXPECT_EQ(file.ID3v2Tag()->artist().toWString(), L"Some Artist");
  EXPECT_EQ(file.ID3v2Tag()->album().toWString(), L"Some Album");
  EXPECT_EQ(file.ID3v2Tag()->genre().toWString(), L"Pop");
  EXPECT_EQ(file.ID3v2Tag()->year(), 2001u);
}

TEST_F(Information, OpenFileReadsTagsDurationAndLength) {
  const auto path = ripped(L"play list.mp3");
  tagAsTheRipLoopDoes(path);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(text(&IAudioInformation::get_infoTitle), L"Track One");
  EXPECT_EQ(text(&IAudioInformation::get_infoAlbum), L"Some Album");
  short genre = -1;
  info_->get_infoGenre(&genre);
  EXPECT_EQ(genre, 13);
  EXPECT_EQ(number(&IAudioInformation::get_infoYear), 2001);
  EXPECT_EQ(number(&IAudioInformation::get_Duration), 2000);
  EXPECT_EQ(number(&IAudioInformation::get_TotalSamples), kCdRate * 2);
}

TEST_F(Information, AFileThatDoesNotOpenReadsEmptyAndIsNeverWritten) {
  const auto good = ripped(L"good.mp3");
  tagAsTheRipLoopDoes(good);
  writeBytes(scratchPath(L"broken.mp3"), {0xFF, 0xFB, 0x90});
  const auto broken = readBytes(scratchPath(L"broken.mp3"));
  ASSERT_TRUE(open(good));
  EXPECT_FALSE(open(scratchPath(L"broken.mp3")));
  EXPECT_EQ(text(&IAudioInformation::get_infoTitle), L"");
  EXPECT_EQ(text(&IAudioInformation::get_infoArtist), L"");
  short genre = -1;
  info_->get_infoGenre(&genre);
  EXPECT_EQ(genre, 0);
  EXPECT_EQ(number(&IAudioInformation::get_infoYear), 0);
  EXPECT_EQ(number(&IAudioInformation::get_Duration), 0);
  EXPECT_EQ(number(&IAudioInformation::get_TotalSamples), 0);

  info_->put_infoTitle(com::bstr(L"Never").get());
  EXPECT_FALSE(save(scratchPath(L"broken.mp3")));
  EXPECT_EQ(readBytes(scratchPath(L"broken.mp3")), broken);
  // Values belong to the file opened, not to whatever name SaveTags is given.
  const auto before = readBytes(good);
  EXPECT_FALSE(save(good));
  EXPECT_EQ(readBytes(good), before);
}

TEST_F(Information, GenreNamesAreTheStandardList) {
  for (LONG i = 0; i < 148; ++i) {
    com::bstr name;
    ASSERT_EQ(info_->GenreName(i, name.put()), S_OK);
    EXPECT_FALSE(name.view().empty()) << i;
  }
  com::bstr name;
  info_->GenreName(0, name.put());
  EXPECT_EQ(name.view(), L"Blues");
  info_->GenreName(147, name.put());
  EXPECT_EQ(name.view(), L"Synthpop");
  info_->GenreName(148, name.put());
  EXPECT_EQ(name.view(), L"");
}

// A late-bound client reaches the same members by name, through the embedded type library.
TEST_F(Information, LateBoundCallsByName) {
  const auto path = ripped(L"late bound.mp3");
  auto dispatch = info_.query<IDispatch>();
  ASSERT_TRUE(dispatch);
  auto idOf = [&](const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    return id;
  };
  com::variant file(path), result;
  DISPPARAMS one{file.get(), nullptr, 1, 0};
  ASSERT_EQ(dispatch->Invoke(idOf(L"openfile"), IID_NULL, 0, DISPATCH_METHOD, &one, result.put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.get()->boolVal, VARIANT_TRUE);
  com::variant title(std::wstring_view(L"By Name"));
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS put{title.get(), &named, 1, 1};
  ASSERT_EQ(dispatch->Invoke(idOf(L"infoTitle"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr),
            S_OK);
  ASSERT_EQ(dispatch->Invoke(idOf(L"SaveTags"), IID_NULL, 0, DISPATCH_METHOD, &one, result.put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.get()->boolVal, VARIANT_TRUE);
  ASSERT_TRUE(open(path));
  EXPECT_EQ(text(&IAudioInformation::get_infoTitle), L"By Name");
}

// Registered into a private classes root, so that the run's shared registry stays as it was.
TEST(InformationServer, RegistersAndUnregistersWithoutTrace) {
  PrivateClassesRoot root;
  ASSERT_TRUE(root);
  ServerDll dll(L"ZEVAudioInformation.dll");
  ASSERT_EQ(dll.registerServer(), S_OK);
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"ZEVAudioInformation.AudioInformation\\CLSID"),
            guidText(CLSID_AudioInformation));
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"CLSID\\" + guidText(CLSID_AudioInformation) + L"\\InprocServer32",
                       L"ThreadingModel"),
            L"Apartment");
  ASSERT_EQ(dll.unregisterServer(), S_OK);
  for (const std::wstring& key : root.allKeys())
    EXPECT_TRUE(key == L"CLSID" || _wcsicmp(key.c_str(), L"TypeLib") == 0 || key == L"Interface")
        << std::string(key.begin(), key.end());
}
