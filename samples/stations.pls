[playlist]
NumberOfEntries=2
File1=http://127.0.0.1:47801/stream/5.wav
Title1=Prova PLS 300 Hz
Length1=-1
File2=http://127.0.0.1:47801/stream/20.wav
Title2=Prova PLS 600 Hz
Length2=-1
Version=2
