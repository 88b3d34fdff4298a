' A script client of the player and the equalizer, both created by ProgID and called late
' bound: sources, the equalizer's bands handed to the player as a script's array, volume,
' block size, playing with nothing queued, and refusals seen as script errors. (Wine's
' WScript.Sleep does nothing but fail, so the script does not wait for the player.)
Option Explicit

Dim failures : failures = 0
Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim player, equalizer
Set player = CreateObject("ZEVAudioPlayer.AudioPlayer")
Set equalizer = CreateObject("ZEVAudioDesign.ZEVEqualizer")

Check player.SourceCount >= 1, "SourceCount " & player.SourceCount
player.srcOutput = 0
Check player.SourceUsable, "source 0 usable"
On Error Resume Next
player.srcOutput = player.SourceCount
Check Err.Number <> 0, "a source past the end refused"
Err.Clear
On Error GoTo 0
Check player.srcOutput = 0, "the source kept"

equalizer.Band3 = 6.5
equalizer.Band12 = -13.5
Check equalizer.Band3 = 6.5, "Band3 " & equalizer.Band3
Check equalizer.Band1 = 0, "Band1 " & equalizer.Band1
On Error Resume Next
equalizer.Band2 = 20
Check Err.Number <> 0, "Band2 out of range refused"
Err.Clear
player.SetEqualizerBands Array(1, 2, 3)
Check Err.Number <> 0, "three bands refused"
Err.Clear
player.QueueBlock Array(1, 2)
Check Err.Number <> 0, "a block of variants refused"
Err.Clear
On Error GoTo 0
player.SetEqualizerBands Array(equalizer.Band1, equalizer.Band2, equalizer.Band3, equalizer.Band4, _
    equalizer.Band5, equalizer.Band6, equalizer.Band7, equalizer.Band8, equalizer.Band9, _
    equalizer.Band10, equalizer.Band11, equalizer.Band12)
player.EqualizerEnabled = False
Check Not player.EqualizerEnabled, "EqualizerEnabled"

player.srcVolume = 30000
player.srcMute = True
Check player.srcVolume = 30000, "srcVolume"
Check player.srcMute, "srcMute"
player.SetFormat 1, 22050
Check player.BlockSize(200) = 4410, "BlockSize " & player.BlockSize(200)

player.Play
Check player.PlayerStatus = 0, "PlayerStatus " & player.PlayerStatus
Check player.PlayedSamples = 0, "nothing queued, nothing played"
player.Stop
player.Stop

If failures = 0 Then WScript.Echo "ALL PASSED"
