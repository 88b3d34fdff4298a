' A late-bound script client of the MP3 encoder settings object: it reaches every member by
' name, as the scripts and forms this server was made for do. Prints "ALL PASSED" at the end.
Option Explicit
Dim failures : failures = 0

Sub Check(what, actual, expected)
    If actual <> expected Then
        WScript.Echo "FAIL " & what & ": " & actual & " <> " & expected
        failures = failures + 1
    End If
End Sub

Dim e : Set e = CreateObject("ZEVDiscRipper.AudioCDRiperLameMP3Encoder")
Check "VbrBitrate at creation", e.VbrBitrate, 192
Check "Frequency at creation", e.Frequency, 44100
Check "LowPassFrequency at creation", e.LowPassFrequency, -1

e.SetParamsFromPreset
Check "VbrBitrate after the reset", e.VbrBitrate, 128

e.SetParamsFromCommandLine "-b 192 -m j"
Check "Bitrate", e.Bitrate, 192
Check "TypeStereo", e.TypeStereo, 2

e.SetParamsFromAltPreset 2
Check "VbrCodingMethod of alt preset 2", e.VbrCodingMethod, 1
Check "LowPassFrequency of alt preset 2", e.LowPassFrequency, 19000

e.BitReservoir = True
Check "BitReservoir reads 1", CInt(e.BitReservoir), 1
e.ShortBlocks = False
Check "ShortBlocks", CInt(e.ShortBlocks), 0

e.Bitrate = "96"
Check "Bitrate from a string", e.Bitrate, 96

On Error Resume Next
e.NoSuchMember = 1
Check "unknown member raises", Err.Number <> 0, True
Err.Clear
On Error GoTo 0

If failures = 0 Then WScript.Echo "ALL PASSED"
WScript.Quit failures
