' A late-bound script client of the ripper's output format set-up: every member reached by name
' with the ZEVAudioFile component registered as its encoder, the settings object handed over as
' a script holds it. Prints "ALL PASSED" at the end.
Option Explicit
Dim failures : failures = 0

Sub Check(what, actual, expected)
    If actual <> expected Then
        WScript.Echo "FAIL " & what & ": " & actual & " <> " & expected
        failures = failures + 1
    End If
End Sub

Dim r : Set r = CreateObject("ZEVDiscRipper.AudioCDRipper")
r.DriverOpen

r.SetFormatMP3 44100, 130, 3
Check "MP3 with an unknown bitrate and three channels", r.trackFormatString, "MP3 0 kbit/s 44100 Hz stereo"
r.SetFormatMP3
Check "MP3 by default", r.trackFormatString, "MP3 128 kbit/s 44100 Hz stereo"

Dim e : Set e = CreateObject("ZEVDiscRipper.AudioCDRiperLameMP3Encoder")
e.TypeStereo = 7
e.VbrCodingMethod = 9
e.Bitrate = 192
e.Channels = 1
r.SetFormatMP3Ex e
Check "TypeStereo read back", e.TypeStereo, 1
Check "VbrCodingMethod read back", e.VbrCodingMethod, -1
Check "MP3 from the settings object", r.trackFormatString, "MP3 192 kbit/s 44100 Hz mono"

r.SetFormatOGG 44100, 2, 128, 0, 0, 65541
Check "Ogg quality cut to 16 bits", r.trackFormatString, "Ogg Vorbis quality 5 44100 Hz stereo"
Check "Ogg available whatever the quality", r.IsAvailableFormatOGG(44100, 2, 128, 0, 0, 70000), _
      r.IsAvailableFormatOGG(44100, 2, 128, 0, 0, -1)
Check "MP3 at 22000 Hz asked as 44100 Hz", r.IsAvailableFormatMP3(22000, 320, 2), True

r.SetFormatWMA
Check "WMA by default", r.trackFormatString, "WMA 128 kbit/s 44100 Hz stereo"

r.DriverClose

If failures = 0 Then WScript.Echo "ALL PASSED"
WScript.Quit failures
