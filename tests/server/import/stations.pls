[playlist]
NumberOfEntries=3
File2=http://127.0.0.1:9/two
Title2=Second
File1=http://127.0.0.1:9/one
Title1=First
Length1=-1
Title3=No file
Version=2
