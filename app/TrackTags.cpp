#include "TrackTags.h"

#include <climits>

#include "com/Bstr.h"

#include "TextRoutines.h"

#include "ZEVAudioInformation.h"

namespace app {

bool WriteTrackTags(IAudioInformation& tags, const std::string& path, const TrackLists& lists, int track) {
  const auto index = static_cast<std::size_t>(track - 1);
  if (track < 1 || index >= lists.Count() || index >= lists.TrackYears.size() || index >= lists.TrackGenres.size() ||
      index >= lists.TrackArtists.size() || index >= lists.TrackAlbums.size())
    return false;
  const com::bstr file = com::bstr::from_ansi(path);
  VARIANT_BOOL opened = VARIANT_FALSE;
  if (FAILED(tags.OpenFile(file.get(), &opened)) || !opened) return false;
  tags.put_infoTitle(com::bstr::from_ansi(lists.TrackTitles[index]).get());
  tags.put_infoArtist(com::bstr::from_ansi(lists.TrackArtists[index]).get());
  tags.put_infoAlbum(com::bstr::from_ansi(lists.TrackAlbums[index]).get());
  // The genre is an index the edit dialog chose; a year not a number is left unset.
  if (const auto genre = DecimalValue(lists.TrackGenres[index]); genre && *genre <= SHRT_MAX)
    tags.put_infoGenre(static_cast<short>(*genre));
  if (const auto year = DecimalValue(lists.TrackYears[index]); year && *year <= LONG_MAX)
    tags.put_infoYear(static_cast<long>(*year));
  VARIANT_BOOL saved = VARIANT_FALSE;
  return SUCCEEDED(tags.SaveTags(file.get(), &saved)) && saved;
}

}  // namespace app
