# Prints when a WAVE file is audible: first and last sample above 1 % of full scale, and a
# 50 ms envelope. Used by sound_check.sh to compare a capture with the original sound.
import wave, struct, sys, array
for p in sys.argv[1:]:
    w = wave.open(p); n = w.getnframes(); ch = w.getnchannels(); sw = w.getsampwidth(); rate = w.getframerate()
    data = w.readframes(n)
    a = array.array('h', data) if sw == 2 else array.array('B', data)
    if sw == 1: a = array.array('h', [(x-128)*256 for x in a])
    frames = [max(abs(a[i*ch+c]) for c in range(ch)) for i in range(len(a)//ch)]
    thr = 0.01*32768
    idx = [i for i,v in enumerate(frames) if v > thr]
    if not idx: print(p, 'silent'); continue
    # windows of 50ms energy
    win = rate//20
    env = [max(frames[i:i+win]) for i in range(0, len(frames), win)]
    print(p, 'first %.3f last %.3f audible %.3f s' % (idx[0]/rate, idx[-1]/rate, (idx[-1]-idx[0])/rate), ''.join('#' if e>thr*5 else ('+' if e>thr else '.') for e in env))
